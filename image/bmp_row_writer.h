#pragma once
// Writing uncompressed 24-bit BMP files while their rows are being made.
#include <cstdint>
#include <functional>
#include <string>

#include "base/file_result.h"
#include "image/row_sink.h"

namespace ovek {

constexpr int kBMPHeaderBytes = 54;

// The file and information headers of a width x height 24-bit BMP file.
void fillBMPHeader(uint8_t (&header)[kBMPHeaderBytes], int width, int height);

// Writes a width x height BMP file whose rows produce hands to the sink it is
// given, in any order; the padding at the end of each row is written as 0.
// Rows go to their place in the file as they arrive (where the target cannot
// seek, a pipe, they are gathered first). As every write here, the file at
// path is replaced only once produce returned true and every row arrived;
// otherwise it is left as it was.
FileResult writeBMPRows(const std::string& path, int width, int height,
                        const std::function<bool(RowSink&)>& produce);

}  // namespace ovek
