#pragma once
// Netpbm pictures, our own reader: P1 to P6 (plain and binary bitmaps, grey
// and colour pictures) and PAM (P7), 8 or 16 bits a sample. Every count is
// checked against the bytes that remain before anything is allocated.
#include <cstddef>
#include <cstdint>

#include "base/file_result.h"
#include "image/picture_rows.h"

namespace ovek {

// Whether the bytes start like a netpbm file: P1 to P7, then white space.
bool looksLikePNM(const uint8_t* data, size_t size);

FileResult readPNM(const uint8_t* data, size_t size, PictureRows& rows);

}  // namespace ovek
