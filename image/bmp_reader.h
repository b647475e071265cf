#pragma once
// Our own BMP decoder: every common variant, safely, into the 24-bit layout.
#include <cstddef>
#include <cstdint>

#include "base/file_result.h"

namespace ovek {

class Image;

// True when the bytes start like a BMP file.
bool looksLikeBMP(const uint8_t* data, size_t size);

// Decodes a whole BMP file held in memory into img (24-bit, bottom-up rows,
// alpha dropped). On failure img is left as it was and the reason is returned.
FileResult decodeBMP(const uint8_t* data, size_t size, Image& img);

}  // namespace ovek
