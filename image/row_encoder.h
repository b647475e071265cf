#pragma once
// A picture file written while its rows are being made: the encoders that
// need the rows in order (PNG, JPEG, PPM) take them one at a time.
#include <cstdint>

namespace ovek {

class RowEncoder {
public:
    virtual ~RowEncoder() = default;
    // Writes what comes before the rows of a width x height picture.
    virtual bool start(int width, int height) = 0;
    // The next row, top row first: width pixels as blue, green, red.
    virtual bool putRow(const uint8_t* bgr) = 0;
    // Writes what comes after the last row.
    virtual bool finish() = 0;
};

}  // namespace ovek
