#pragma once
// Where a picture's rows go as they are finished, so that a large picture can
// be written out without ever being held whole.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "image/image.h"

namespace ovek {

class RowSink {
public:
    virtual ~RowSink() = default;
    // Takes rows y .. y + count - 1 (top row 0) of the picture: row k holds the
    // picture's width in pixels as blue, green, red bytes from first + k * step.
    // Returns false when the rows could not be taken; the producer then stops.
    virtual bool putRows(int y, int count, const uint8_t* first, std::ptrdiff_t step) = 0;
};

// Copies the rows into an image of the same width.
class ImageRowSink : public RowSink {
public:
    explicit ImageRowSink(Image& image) : image_(image) {}

    bool putRows(int y, int count, const uint8_t* first, std::ptrdiff_t step) override
    {
        const int width = image_.getWidth();
        for (int k = 0; k < count; ++k, first += step) {
            if (y + k < 0 || y + k >= image_.getHeight())
                return false;
            std::memcpy(&image_.pixels[size_t(image_.getHeight() - 1 - (y + k)) *
                                       size_t(image_.stride)],
                        first, 3 * size_t(width));
        }
        image_.current = false;
        return true;
    }

private:
    Image& image_;
};

}  // namespace ovek
