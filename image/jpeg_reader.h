#pragma once
// JPEG files through libjpeg-turbo: baseline and progressive, grey, colour,
// and the inverted CMYK and YCCK that Adobe programs write.
#include <cstddef>
#include <cstdint>

#include "base/file_result.h"
#include "image/picture_rows.h"

namespace ovek {

FileResult readJPEG(const uint8_t* data, size_t size, PictureRows& rows);

}  // namespace ovek
