#pragma once
// PNG files through libpng: every bit depth and colour type, interlaced or
// not; transparency is dropped and 16-bit samples are kept whole.
#include <cstddef>
#include <cstdint>

#include "base/file_result.h"
#include "image/picture_rows.h"

namespace ovek {

FileResult readPNG(const uint8_t* data, size_t size, PictureRows& rows);

}  // namespace ovek
