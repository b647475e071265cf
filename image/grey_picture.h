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
    std::vector<uint16_t> values16;  // width * height 16-bit samples, top row first: only when the
                                     // file holds 16-bit samples and the caller asked for them

    uint8_t at(int x, int y) const { return values[size_t(y) * size_t(width) + size_t(x)]; }
};

// (blue + green + red) / 3 of every pixel.
GreyPicture greyOf(const Image& picture);

// Reads every picture Image::loadImage reads, with the same reasons on failure
// (out is then left as it was), into values exactly as greyOf of that image.
// The file is mapped and its rows reduced as they are decoded, so the
// full-colour picture is never held (nor, for an uncompressed BMP, the file).
// With keep16, a file of 16-bit samples (PNG, PGM, PPM, PAM) also fills
// values16 with (red + green + blue) / 3 at full precision.
FileResult loadGreyPicture(const std::string& path, GreyPicture& out, bool keep16 = false);

}  // namespace ovek
