#pragma once
// A component that shows one image, at its natural size from the component's
// top-left corner (not clipped to the bounds) or stretched to the bounds.
#include "image/image.h"
#include "base/file_result.h"
#include "toolkit/component.h"

namespace ovek {

class ImageComponent : public Component {
public:
    ImageComponent() = default;
    ~ImageComponent() override;

    // Owned: deleted with the component. Replacing it does not delete the
    // previous one; the caller keeps or deletes that.
    Image* image = nullptr;
    bool stretchModeOn = false;   // draw scaled to width x height

    // The picture at path becomes the image (1 x 1 black when it cannot be
    // read); the bounds stay as they are.
    FileResult loadImage(const char* path);
    // img becomes the image and the bounds take its size, keeping the
    // position. Null only drops the image.
    void setImage(Image* img);
    Image* getImage() const { return image; }
    void setStretchModeOn(bool on) { stretchModeOn = on; }

    void paint(Graphics* g) override;
};

}  // namespace ovek
