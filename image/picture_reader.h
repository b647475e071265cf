#pragma once
// Reading pictures of any supported format, chosen by content.
#include <cstddef>
#include <cstdint>

#include "base/file_result.h"

namespace ovek {

class Image;

// Largest picture file read at all.
constexpr size_t kMaxPictureFileBytes = size_t(1) << 30;

// BMP through our decoder, PNG, JPEG, GIF, PSD and PNM through stb_image. On
// failure img is left as it was and the reason is returned.
FileResult decodePicture(const uint8_t* data, size_t size, Image& img);

}  // namespace ovek
