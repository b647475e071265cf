#pragma once
// At most 256 colours for a picture, for formats that store palette indices:
// the picture's own colours when it has so few, otherwise a median cut of
// its colours (five bits a channel), and every pixel mapped to its nearest.
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace ovek {

class Image;

struct ColourPalette {
    std::vector<std::array<uint8_t, 3>> colours;    // red, green, blue; 1 to 256
    std::unordered_map<uint32_t, uint8_t> exact;     // colour (r << 16 | g << 8 | b) to index
                                                     // when colours holds every colour
    std::vector<uint8_t> nearest;                    // 32768: the entry nearest each 5-bit cell
};

// The palette of picture: exact when it has at most maxColours colours.
ColourPalette paletteOf(const Image& picture, int maxColours = 256);

// Indices into palette for every pixel of picture, top row first. Ordered:
// an 8 x 8 ordered dither before the nearest colour is taken (exact colours
// are kept as they are either way).
void indexPixels(const Image& picture, const ColourPalette& palette, bool ordered,
                 std::vector<uint8_t>& indices);

}  // namespace ovek
