#include "toolkit/image_component.h"

#include "toolkit/platform.h"

namespace ovek {

ImageComponent::~ImageComponent()
{
    delete image;
}

FileResult ImageComponent::loadImage(const char* path)
{
    FileResult result;
    image = MYPLAT.createImageFromBMP(path, &result);
    return result;
}

void ImageComponent::setImage(Image* img)
{
    image = img;
    if (img)
        setBounds(left, top, img->width, img->height);
}

void ImageComponent::paint(Graphics* g)
{
    if (!image)
        return;
    if (stretchModeOn)
        g->drawImage(0, 0, width, height, image);
    else
        g->drawImage(0, 0, image);
}

}  // namespace ovek
