// Median cut (Heckbert 1982) over a histogram of five bits a channel.
#include "animation/colour_palette.h"

#include <algorithm>
#include <climits>

#include "image/image.h"

namespace ovek {

namespace {

constexpr int kCells = 1 << 15;

int cellOf(int r, int g, int b)
{
    return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
}

struct Cell {
    int index = 0;         // cellOf
    uint64_t count = 0;
    uint64_t sum[3] = {};  // of red, green, blue
};

// A box of cells, split along its longest side at the median pixel.
struct Box {
    std::vector<Cell> cells;
    int longest = 0;   // 0 red, 1 green, 2 blue
    int range = 0;     // the longest side, in cells

    void measure()
    {
        int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
        for (const Cell& c : cells)
            for (int a = 0; a < 3; ++a) {
                const int v = (c.index >> (10 - 5 * a)) & 31;
                lo[a] = std::min(lo[a], v);
                hi[a] = std::max(hi[a], v);
            }
        range = -1;
        for (int a = 0; a < 3; ++a)
            if (hi[a] - lo[a] > range) {
                range = hi[a] - lo[a];
                longest = a;
            }
    }
};

std::array<uint8_t, 3> meanOf(const std::vector<Cell>& cells)
{
    uint64_t count = 0, sum[3] = {};
    for (const Cell& c : cells) {
        count += c.count;
        for (int a = 0; a < 3; ++a)
            sum[a] += c.sum[a];
    }
    std::array<uint8_t, 3> mean{};
    for (int a = 0; a < 3; ++a)
        mean[size_t(a)] = uint8_t(count ? (sum[a] + count / 2) / count : 0);
    return mean;
}

int distance(const std::array<uint8_t, 3>& p, int r, int g, int b)
{
    const int dr = p[0] - r, dg = p[1] - g, db = p[2] - b;
    return dr * dr + dg * dg + db * db;
}

void fillNearest(ColourPalette& palette)
{
    palette.nearest.assign(kCells, 0);
    for (int cell = 0; cell < kCells; ++cell) {
        // The cell's centre.
        const int r = ((cell >> 10) & 31) * 8 + 4, g = ((cell >> 5) & 31) * 8 + 4,
                  b = (cell & 31) * 8 + 4;
        int best = INT_MAX;
        for (size_t i = 0; i < palette.colours.size(); ++i)
            if (int d = distance(palette.colours[i], r, g, b); d < best) {
                best = d;
                palette.nearest[size_t(cell)] = uint8_t(i);
            }
    }
}

}  // namespace

ColourPalette paletteOf(const Image& picture, int maxColours)
{
    ColourPalette palette;
    maxColours = std::clamp(maxColours, 1, 256);
    std::vector<Cell> cells(kCells);
    bool few = true;
    for (int y = 0; y < picture.getHeight(); ++y) {
        const uint8_t* p = &picture.pixels[size_t(y) * size_t(picture.stride)];
        for (int x = 0; x < picture.getWidth(); ++x, p += 3) {
            const int r = p[2], g = p[1], b = p[0];
            Cell& c = cells[size_t(cellOf(r, g, b))];
            ++c.count;
            c.sum[0] += unsigned(r);
            c.sum[1] += unsigned(g);
            c.sum[2] += unsigned(b);
            if (few) {
                const uint32_t key = uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
                if (palette.exact.count(key) == 0) {
                    if (int(palette.exact.size()) == maxColours) {
                        few = false;
                        palette.exact.clear();
                        continue;
                    }
                    palette.exact.emplace(key, uint8_t(palette.exact.size()));
                    palette.colours.push_back({uint8_t(r), uint8_t(g), uint8_t(b)});
                }
            }
        }
    }
    if (!few) {
        palette.colours.clear();
        std::vector<Box> boxes(1);
        for (int i = 0; i < kCells; ++i)
            if (cells[size_t(i)].count) {
                cells[size_t(i)].index = i;
                boxes[0].cells.push_back(cells[size_t(i)]);
            }
        boxes[0].measure();
        while (int(boxes.size()) < maxColours) {
            // The box with the longest side is split next.
            auto widest = std::max_element(boxes.begin(), boxes.end(),
                                           [](const Box& a, const Box& b) { return a.range < b.range; });
            if (widest->range <= 0)
                break;
            Box& box = *widest;
            const int shift = 10 - 5 * box.longest;
            std::sort(box.cells.begin(), box.cells.end(), [shift](const Cell& a, const Cell& b) {
                const int va = (a.index >> shift) & 31, vb = (b.index >> shift) & 31;
                return va != vb ? va < vb : a.index < b.index;
            });
            uint64_t total = 0, seen = 0;
            for (const Cell& c : box.cells)
                total += c.count;
            // Split after the cell that reaches half the pixels, leaving both halves non-empty.
            size_t at = 1;
            for (size_t i = 0; i + 1 < box.cells.size(); ++i) {
                seen += box.cells[i].count;
                at = i + 1;
                if (2 * seen >= total)
                    break;
            }
            Box second;
            second.cells.assign(box.cells.begin() + long(at), box.cells.end());
            box.cells.resize(at);
            box.measure();
            second.measure();
            boxes.push_back(std::move(second));
        }
        for (const Box& box : boxes)
            palette.colours.push_back(meanOf(box.cells));
    }
    if (palette.colours.empty())
        palette.colours.push_back({0, 0, 0});
    fillNearest(palette);
    return palette;
}

void indexPixels(const Image& picture, const ColourPalette& palette, bool ordered,
                 std::vector<uint8_t>& indices)
{
    // Bayer's 8 x 8 threshold matrix.
    static const uint8_t kBayer[8][8] = {
        {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
        {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
        {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
        {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};
    const int w = picture.getWidth(), h = picture.getHeight();
    indices.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const uint8_t* p = &picture.pixels[size_t(h - 1 - y) * size_t(picture.stride)];
        uint8_t* out = &indices[size_t(y) * size_t(w)];
        for (int x = 0; x < w; ++x, p += 3) {
            int r = p[2], g = p[1], b = p[0];
            if (!palette.exact.empty()) {
                const auto found =
                    palette.exact.find(uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b));
                if (found != palette.exact.end()) {
                    out[x] = found->second;
                    continue;
                }
            }
            if (ordered) {
                // Spread over about the distance between neighbouring palette entries.
                const int d = kBayer[y & 7][x & 7] / 2 - 16;
                r = std::clamp(r + d, 0, 255);
                g = std::clamp(g + d, 0, 255);
                b = std::clamp(b + d, 0, 255);
            }
            out[x] = palette.nearest[size_t(cellOf(r, g, b))];
        }
    }
}

}  // namespace ovek
