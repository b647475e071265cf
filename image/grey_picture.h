#pragma once
// A picture reduced to one byte a pixel, the mean of its three colour bytes
// rounded down: how a depth picture's brightness becomes height. A quarter of
// the memory of the full-colour picture.
#include <cstdint>
#include <string>
#include <vector>

#include "base/file_result.h"

namespace ovek {

class Image;

struct GreyPicture {
    int width = 0;                // pixels
    int height = 0;               // pixels
    std::vector<uint8_t> values;  // width * height, top row first
    std::vector<uint16_t> values16;  // width * height full-precision samples, top row first;
                                     // only for 16-bit files read with keep16, else empty

    uint8_t at(int x, int y) const { return values[size_t(y) * size_t(width) + size_t(x)]; }
};

// (blue + green + red) / 3 of every pixel.
GreyPicture greyOf(const Image& picture);

// Reads every picture Image::loadImage reads, with the same reasons on failure
// (out is then left as it was). Uncompressed BMP files are mapped and reduced a
// row at a time, so neither the file nor the full-colour picture is ever held
// whole; other files go through an Image. keep16 asks for values16 as well
// where the file holds 16-bit samples.
FileResult loadGreyPicture(const std::string& path, GreyPicture& out, bool keep16 = false);

}  // namespace ovek
