#pragma once
// Where a decoder puts the picture it reads, a row at a time, so that the same
// decoder fills a full-colour image or a grey depth picture without holding
// the other.
#include <cstdint>

#include "base/file_result.h"

namespace ovek {

class PictureRows {
public:
    virtual ~PictureRows() = default;
    // Called once, before any row: the picture's size and whether its samples
    // have 16 bits (putRow16) or 8 (putRow). The reason when the target cannot
    // take such a picture (too large, no memory); the decoder then stops.
    virtual FileResult start(int width, int height, bool deep) = 0;
    // The next row, top row first: width pixels as red, green, blue.
    virtual void putRow(const uint8_t* rgb) = 0;
    virtual void putRow16(const uint16_t* rgb) = 0;
};

// The reason given for a picture larger than Image allows, before anything
// is allocated for it.
FileResult pictureTooLarge(long long width, long long height);

// A 16-bit sample reduced to 8 bits: its high byte, as the program always
// read 16-bit pictures.
inline uint8_t reduce16(uint16_t v)
{
    return uint8_t(v >> 8);
}

}  // namespace ovek
