#pragma once
// Our own BMP decoder: every common variant, safely, into the 24-bit layout.
#include <cstddef>
#include <cstdint>

#include "base/file_result.h"
#include "image/bmp_header.h"

namespace ovek {

class Image;

// True when the bytes start like a BMP file.
bool looksLikeBMP(const uint8_t* data, size_t size);

// Decodes a whole BMP file held in memory into img (24-bit, bottom-up rows,
// alpha dropped). On failure img is left as it was and the reason is returned.
FileResult decodeBMP(const uint8_t* data, size_t size, Image& img);

// One stored row of an uncompressed file (not run-length coded) whose header
// readBMPHeader accepted: src holds header.rowBytes bytes, dst receives
// header.width pixels as blue, green, red.
void decodeBMPRow(const BMPHeader& header, const BMPPalette& palette, const uint8_t* src,
                  uint8_t* dst);

}  // namespace ovek
