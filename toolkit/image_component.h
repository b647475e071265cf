#pragma once
// A component that shows one image, at its natural size from the component's
// top-left corner (not clipped to the bounds) or stretched to the bounds.
#include <memory>

#include "image/image.h"
#include "base/file_result.h"
#include "toolkit/component.h"

namespace ovek {

class ImageComponent : public Component {
public:
    ImageComponent() = default;
    ~ImageComponent() override = default;

    std::unique_ptr<Image> image;   // owned: replacing it frees the previous one
    bool stretchModeOn = false;     // draw scaled to width x height

    // The picture at path becomes the image (1 x 1 black when it cannot be
    // read); the bounds stay as they are.
    FileResult loadImage(const char* path);
    // img becomes the image, the previous one is freed, and the bounds take
    // its size, keeping the position. Null only drops the image.
    void setImage(std::unique_ptr<Image> img);
    Image* getImage() const { return image.get(); }
    void setStretchModeOn(bool on) { stretchModeOn = on; }

    void paint(Graphics* g) override;
};

}  // namespace ovek
