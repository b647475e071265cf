#include "toolkit/picture_view.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "image/graphics.h"
#include "image/picture_draw.h"

namespace ovek {

namespace {

// Windows virtual-key codes of the view's keys.
constexpr int kKey0 = 0x30, kKey1 = 0x31, kKeypad0 = 0x60, kKeypad1 = 0x61;
constexpr int kKeyPlus = 0xBB, kKeyMinus = 0xBD, kKeypadPlus = 0x6B, kKeypadMinus = 0x6D;
// Wheels that report many notches at once zoom no faster than this.
constexpr int kMaxWheelSteps = 10;

bool hasColour(const Image& img)
{
    for (int row = 0; row < img.height; ++row) {
        const uint8_t* p = &img.pixels[size_t(row) * size_t(img.stride)];
        for (int col = 0; col < img.width; ++col, p += 3)
            if (p[0] != p[1] || p[1] != p[2])
                return true;
    }
    return false;
}

}  // namespace

void PictureView::setImage(std::unique_ptr<Image> img)
{
    remade_.reset();
    image_ = std::move(img);
    grey_.reset();
    pictureChanged();
}

void PictureView::setDepthPicture(std::unique_ptr<Image> img)
{
    // The previous picture goes first: two large ones are never held at once.
    image_.reset();
    grey_.reset();
    remade_.reset();
    if (!img) {
        pictureChanged();
        return;
    }
    grey_ = std::make_shared<const GreyPicture>(greyOf(*img));
    // Without colour the grey values are the whole picture.
    if (hasColour(*img))
        image_ = std::move(img);
    else
        image_.reset();
    pictureChanged();
}

void PictureView::pictureChanged()
{
    remade_.reset();
    if (image_)
        zoom.setPicture(image_->width, image_->height);
    else if (grey_)
        zoom.setPicture(grey_->width, grey_->height);
    else
        zoom.setPicture(0, 0);
}

Image* PictureView::getImage() const
{
    if (image_ || !grey_)
        return image_.get();
    if (!remade_) {
        remade_ = std::make_unique<Image>(nullptr, grey_->width, grey_->height);
        for (int y = 0; y < grey_->height; ++y)
            for (int x = 0; x < grey_->width; ++x) {
                const uint8_t v = grey_->at(x, y);
                remade_->setPixel(x, y, v, v, v);
            }
    }
    return remade_.get();
}

bool PictureView::zoomKey(int key, InputMods mods)
{
    if (mods.ctrl || mods.alt)
        return false;
    if (key == kKey1 || key == kKeypad1)
        zoom.toggleActualSize();
    else if (key == kKey0 || key == kKeypad0)
        zoom.fit();
    else if (key == kKeyPlus || key == kKeypadPlus)
        zoom.zoomAbout(width / 2, height / 2, ZoomView::kWheelStep);
    else if (key == kKeyMinus || key == kKeypadMinus)
        zoom.zoomAbout(width / 2, height / 2, 1 / ZoomView::kWheelStep);
    else
        return false;
    return true;
}

void PictureView::setBounds(int newLeft, int newTop, int newWidth, int newHeight)
{
    Component::setBounds(newLeft, newTop, newWidth, newHeight);
    zoom.setArea(width, height);
}

bool PictureView::isPointIn(int x, int y)
{
    if (clickThroughWhenStill && !zoom.canScroll())
        return false;
    return zoom.showsPicture(x, y);
}

void PictureView::paint(Graphics* g)
{
    if (!g || !g->target || (!image_ && !grey_))
        return;
    PixelSurface& s = g->target->surface();
    const int x0 = g->translateX, y0 = g->translateY;
    const PicturePlacement at = zoom.placement(x0, y0);
    // Clipped to the pane: a zoomed picture never spills onto the bar.
    const int x1 = int(std::min<long long>((long long)x0 + width, s.width));
    const int y1 = int(std::min<long long>((long long)y0 + height, s.height));
    if (image_)
        drawPicture(s, *image_, at, x0, y0, x1, y1);
    else
        drawPicture(s, *grey_, at, x0, y0, x1, y1);
}

void PictureView::fireMouseDragEvent(int x, int y, int dxFromPress, int dyFromPress,
                                     int dxFromLast, int dyFromLast)
{
    Component::fireMouseDragEvent(x, y, dxFromPress, dyFromPress, dxFromLast, dyFromLast);
    zoom.scrollBy(dxFromLast, dyFromLast);
}

bool PictureView::fireMouseWheelEvent(int x, int y, int steps, InputMods mods)
{
    // The wheel reaches a picture that lets clicks through, too.
    if (!enabled || !visible || !zoom.showsPicture(x, y))
        return false;
    recordMods = mods;
    for (EventListener* l : std::vector<EventListener*>(eventListeners))
        l->mouseWheel(x, y, steps, this, mods);
    const int n = std::clamp(steps, -kMaxWheelSteps, kMaxWheelSteps);
    // Up (negative) zooms in.
    zoom.zoomAbout(x, y, std::pow(ZoomView::kWheelStep, -n));
    return true;
}

}  // namespace ovek
