#include "image/picture_draw.h"

#include <algorithm>
#include <vector>

#include "image/grey_picture.h"
#include "image/image.h"
#include "image/surface.h"

namespace ovek {

namespace {

// pixelAt(row, column) gives 0x00RRGGBB of a picture pixel; every argument it
// gets lies inside the picture.
template <typename PixelAt>
void drawRows(PixelSurface& dst, int width, int height, const PicturePlacement& at, int x0,
              int y0, int x1, int y1, PixelAt pixelAt)
{
    if (!(at.scale > 0) || width <= 0 || height <= 0)
        return;
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, dst.width);
    y1 = std::min(y1, dst.height);
    if (x0 >= x1 || y0 >= y1)
        return;
    // One source column per surface column, -1 where none is shown.
    std::vector<int> columns(size_t(x1 - x0));
    for (int x = x0; x < x1; ++x) {
        const long long c = shownPixel(at.left, at.scale, (long long)x - at.originX);
        columns[size_t(x - x0)] = c >= 0 && c < width ? int(c) : -1;
    }
    for (int y = y0; y < y1; ++y) {
        const long long r = shownPixel(at.top, at.scale, (long long)y - at.originY);
        if (r < 0 || r >= height)
            continue;
        uint32_t* out = &dst.pixels[size_t(y) * size_t(dst.width)];
        for (int x = x0; x < x1; ++x)
            if (const int c = columns[size_t(x - x0)]; c >= 0)
                out[x] = pixelAt(int(r), c);
    }
}

}  // namespace

void drawPicture(PixelSurface& dst, const Image& src, const PicturePlacement& at, int x0, int y0,
                 int x1, int y1)
{
    if (src.pixels.size() < size_t(src.stride) * size_t(src.height))
        return;
    drawRows(dst, src.width, src.height, at, x0, y0, x1, y1, [&src](int row, int column) {
        // Rows are kept bottom first, blue green red.
        const uint8_t* p = &src.pixels[size_t(src.height - row - 1) * size_t(src.stride) +
                                       size_t(column) * 3];
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    });
}

void drawPicture(PixelSurface& dst, const GreyPicture& src, const PicturePlacement& at, int x0,
                 int y0, int x1, int y1)
{
    if (src.values.size() < size_t(src.width) * size_t(src.height))
        return;
    drawRows(dst, src.width, src.height, at, x0, y0, x1, y1, [&src](int row, int column) {
        const uint32_t v = src.at(column, row);
        return v | v << 8 | v << 16;
    });
}

}  // namespace ovek
