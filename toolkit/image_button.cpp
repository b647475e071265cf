#include "toolkit/image_button.h"

#include "toolkit/platform.h"

namespace ovek {

void ImageButton::setImageDisabled(Image* img)
{
    imageDisabled = img;
    setDefaultImage(img);
}

void ImageButton::setImageMouseOut(Image* img)
{
    imageMouseOut = img;
    setDefaultImage(img);
}

void ImageButton::setImageMouseDown(Image* img)
{
    imageMouseDown = img;
    setDefaultImage(img);
}

void ImageButton::setImageMouseUp(Image* img)
{
    imageMouseUp = img;
    setDefaultImage(img);
}

void ImageButton::setDefaultImage(Image* img)
{
    for (Image** slot : {&imageDisabled, &imageMouseOut, &imageMouseDown, &imageMouseUp})
        if (!*slot) {
            *slot = img;
            return;
        }
}

void ImageButton::fireMouseEnterEvent(int x, int y)
{
    Component::fireMouseEnterEvent(x, y);
    state = STATE_OVER;
    if (tooltipText)
        MYPLAT.showToolTip(tooltipText);
    MYPLAT.repaint();
}

void ImageButton::fireMouseExitEvent(int x, int y)
{
    Component::fireMouseExitEvent(x, y);
    state = STATE_OUTSIDE;
    if (tooltipText)
        MYPLAT.showToolTip("");
    MYPLAT.repaint();
}

void ImageButton::fireMouseDownEvent(int x, int y, int button)
{
    Component::fireMouseDownEvent(x, y, button);
    state = STATE_PRESSED;
    MYPLAT.repaint();
}

void ImageButton::fireMouseUpEvent(int x, int y, int button, int dx, int dy, bool wasDragged)
{
    Component::fireMouseUpEvent(x, y, button, dx, dy, wasDragged);
    state = STATE_OVER;
    MYPLAT.repaint();
}

void ImageButton::paint(Graphics* g)
{
    Image* img = imageDisabled;
    if (enabled)
        img = state == STATE_OVER ? imageMouseUp
              : state == STATE_PRESSED ? imageMouseDown
              : imageMouseOut;
    if (img)
        g->drawImage(0, 0, img);
}

}  // namespace ovek
