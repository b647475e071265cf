#include "toolkit/select_image_button.h"

#include "toolkit/platform.h"

namespace ovek {

void SelectImageButton::setSelected(bool s)
{
    Image* img = s ? selectedImage : unselectedImage;
    setImageMouseOut(img);
    setImageMouseUp(img);
    setImageMouseDown(img);
    selected = s;
    MYPLAT.repaint();
}

}  // namespace ovek
