#pragma once
// The signature mark stamped near the top-left corner of every stereogram.
#include <cstdint>

namespace ovek {
class Image;
}

// Point k of the mark lies at x = signyyy[k] + 10, y = signxxx[k] + 20.
extern const int signyyy[864];  // 6..164
extern const int signxxx[864];  // 11..44

// A dark-grey outline first, then the pale-mint points on top.
void stampSignature(ovek::Image& result);

// The same mark on picture row y alone (top row 0) of a picture width pixels
// wide, the row held as blue, green, red bytes: what stampSignature leaves in
// that row, for pictures made a row at a time.
void stampSignatureRow(uint8_t* row, int width, int y);
