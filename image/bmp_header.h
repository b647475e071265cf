#pragma once
// The headers of a BMP file, read and checked before any pixel is touched.
#include <array>
#include <cstddef>
#include <cstdint>

#include "base/file_result.h"

namespace ovek {

// How the pixel data is stored.
enum class BMPEncoding {
    Palette,    // 1, 2, 4 or 8 bits per pixel, indices into the colour table
    Bitfields,  // 16 or 32 bits per pixel, channels picked by masks
    Rgb24,      // 24 bits per pixel, bytes blue, green, red
    Rle8,       // run-length coded 8-bit indices
    Rle4,       // run-length coded 4-bit indices
    Rle24,      // run-length coded blue, green, red triples (OS/2)
};

inline bool isRunLength(BMPEncoding e)
{
    return e == BMPEncoding::Rle8 || e == BMPEncoding::Rle4 || e == BMPEncoding::Rle24;
}

// Everything the pixel decoders need, all of it checked against the file size.
struct BMPHeader {
    int width = 0;                  // pixels, 1 .. Image::kMaxSide
    int height = 0;                 // pixels, 1 .. Image::kMaxSide
    bool topDown = false;           // first stored row is the top one
    int bitCount = 0;               // bits per pixel
    BMPEncoding encoding = BMPEncoding::Rgb24;
    uint32_t masks[3] = {};         // red, green, blue channel masks (Bitfields)
    size_t paletteOffset = 0;       // bytes from the file start
    size_t paletteEntries = 0;      // entries present in the file, at most 256
    size_t paletteEntrySize = 4;    // bytes: 3 for OS/2 1.x, 4 otherwise
    size_t dataOffset = 0;          // bytes from the file start, <= file size
    size_t rowBytes = 0;            // bytes of one stored row, padded to 4 (not RLE)
};

// Colour table entries as blue, green, red; entries the file lacks are black.
using BMPPalette = std::array<std::array<uint8_t, 3>, 256>;

// Reads the file and information headers of a "BM" file, or of the first
// picture of an OS/2 "BA" bitmap array. Refuses sizes over the image limits,
// unknown variants and uncompressed pixel data that the file does not hold.
FileResult readBMPHeader(const uint8_t* data, size_t size, BMPHeader& out);

// The colour table of a file whose header readBMPHeader accepted.
BMPPalette readBMPPalette(const BMPHeader& header, const uint8_t* data);

}  // namespace ovek
