#pragma once
// Reading pictures of any supported format, chosen by content.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/file_result.h"
#include "image/picture_rows.h"

namespace ovek {

class Image;

// Largest picture file read at all.
constexpr size_t kMaxPictureFileBytes = size_t(1) << 30;

// The formats read, for messages.
extern const char kPicturesRead[];

// BMP and PNM through our own decoders, PNG through libpng, JPEG through
// libjpeg-turbo, GIF (its first frame) through giflib. On failure img is left
// as it was and the reason is returned.
FileResult decodePicture(const uint8_t* data, size_t size, Image& img);

// The same, handing the picture's rows to rows as they are decoded; a 16-bit
// picture comes as 16-bit rows. On failure rows may have taken some rows.
FileResult decodePictureRows(const uint8_t* data, size_t size, PictureRows& rows);

// The bytes of the picture file at path, or why they cannot be read (a
// folder, a missing file, more than kMaxPictureFileBytes).
FileResult readPictureFile(const std::string& path, std::string& bytes);

}  // namespace ovek
