#pragma once
// Run-length coded BMP pixel data (RLE8, RLE4 and the OS/2 RLE24).
#include <cstddef>
#include <cstdint>

#include "image/bmp_header.h"
#include "base/file_result.h"

namespace ovek {

// Decodes the run-length coded pixels of a file whose header readBMPHeader
// accepted into out: header.height rows of stride bytes, bottom row first,
// 3 bytes blue, green, red per pixel. out must start black: pixels the codes
// skip stay so. Fails on runs or jumps past the picture and on data that ends
// before the picture does without an end-of-picture code.
FileResult decodeBMPRle(const BMPHeader& header, const uint8_t* data, size_t size,
                        const BMPPalette& palette, uint8_t* out, size_t stride);

}  // namespace ovek
