#include "toolkit/image_component.h"

#include "toolkit/platform.h"

namespace ovek {

FileResult ImageComponent::loadImage(const char* path)
{
    FileResult result;
    image.reset(MYPLAT.createImageFromBMP(path, &result));
    return result;
}

void ImageComponent::setImage(std::unique_ptr<Image> img)
{
    image = std::move(img);
    if (image)
        setBounds(left, top, image->width, image->height);
}

void ImageComponent::paint(Graphics* g)
{
    if (!image)
        return;
    if (stretchModeOn)
        g->drawImage(0, 0, width, height, image.get());
    else
        g->drawImage(0, 0, image.get());
}

}  // namespace ovek
