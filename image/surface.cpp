#include "image/surface.h"

#include <algorithm>
#include <cstddef>

namespace ovek {

PixelSurface::PixelSurface(int w, int h)
    : width(std::max(w, 0)), height(std::max(h, 0)),
      pixels(size_t(std::max(w, 0)) * size_t(std::max(h, 0)), 0)
{
}

void PixelSurface::resize(int w, int h)
{
    width = std::max(w, 0);
    height = std::max(h, 0);
    pixels.assign(size_t(width) * size_t(height), 0);
}

uint32_t PixelSurface::get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    return pixels[size_t(y) * size_t(width) + size_t(x)];
}

void PixelSurface::set(int x, int y, uint32_t c)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    pixels[size_t(y) * size_t(width) + size_t(x)] = c;
}

void PixelSurface::fillRect(int x0, int y0, int x1, int y1, uint32_t c)
{
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width);
    y1 = std::min(y1, height);
    for (int yy = y0; yy < y1; ++yy)
        std::fill_n(pixels.begin() + std::ptrdiff_t(size_t(yy) * size_t(width) + size_t(x0)),
                    std::max(x1 - x0, 0), c);
}

void PixelSurface::copy(const PixelSurface& src, int dx, int dy, int w, int h, int sx, int sy)
{
    if (&src == this) {
        // An overlapping copy within one surface reads from a snapshot.
        const PixelSurface snapshot = src;
        copy(snapshot, dx, dy, w, h, sx, sy);
        return;
    }
    // Clip against the source and the destination, moving both origins
    // together; 64-bit so that extreme arguments cannot overflow.
    const long long x0 = std::max({0LL, -(long long)dx, -(long long)sx});
    const long long y0 = std::max({0LL, -(long long)dy, -(long long)sy});
    const long long x1 =
        std::min({(long long)w, (long long)width - dx, (long long)src.width - sx});
    const long long y1 =
        std::min({(long long)h, (long long)height - dy, (long long)src.height - sy});
    if (x0 >= x1 || y0 >= y1)
        return;
    for (long long j = y0; j < y1; ++j) {
        const uint32_t* from = &src.pixels[size_t(sy + j) * size_t(src.width) + size_t(sx + x0)];
        uint32_t* to = &pixels[size_t(dy + j) * size_t(width) + size_t(dx + x0)];
        std::copy(from, from + (x1 - x0), to);
    }
}

void PixelSurface::stretchCopy(const PixelSurface& src, int dx, int dy, int dw, int dh, int sx,
                               int sy, int sw, int sh)
{
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    if (&src == this) {
        const PixelSurface snapshot = src;
        stretchCopy(snapshot, dx, dy, dw, dh, sx, sy, sw, sh);
        return;
    }
    for (long long j = std::max(0LL, -(long long)dy); j < dh && dy + j < height; ++j) {
        const long long syy = sy + j * sh / dh;
        for (long long i = std::max(0LL, -(long long)dx); i < dw && dx + i < width; ++i) {
            const long long sxx = sx + i * sw / dw;
            if (sxx < 0 || syy < 0 || sxx >= src.width || syy >= src.height)
                continue;
            pixels[size_t(dy + j) * size_t(width) + size_t(dx + i)] =
                src.pixels[size_t(syy) * size_t(src.width) + size_t(sxx)];
        }
    }
}

}  // namespace ovek
