#pragma once
// GIF files through giflib: the first frame on its canvas. Later frames are
// skipped without being decoded, but the file is read to its end.
#include <cstddef>
#include <cstdint>

#include "base/file_result.h"
#include "image/picture_rows.h"

namespace ovek {

FileResult readGIF(const uint8_t* data, size_t size, PictureRows& rows);

}  // namespace ovek
