#include "image/image.h"

namespace ovek {

Image::Image(Surface* target, int w, int h) : targetDC(target)
{
    setSize(w, h);
}

int Image::strideFor(int w)
{
    int s = 3 * w;
    if (s % 4 != 0)
        s += 4 - s % 4;
    return s;
}

bool Image::sizeAllowed(long long w, long long h)
{
    return w >= 0 && h >= 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
}

Image* Image::createImage(int a, int b, int w, int h)
{
    Image* img = new Image(&surface(), w, h);
    img->setPosition(b, a);
    return img;
}

bool Image::setSize(int w, int h)
{
    clear();
    const bool allowed = sizeAllowed(w, h);
    width = allowed ? w : 0;
    height = allowed ? h : 0;
    stride = strideFor(width);
    pixels.resize(size_t(stride) * size_t(height));
    current = false;
    return allowed;
}

void Image::adoptPixels(int w, int h, std::vector<uint8_t>&& rows)
{
    clear();
    width = w;
    height = h;
    stride = strideFor(w);
    pixels = std::move(rows);
    pixels.resize(size_t(stride) * size_t(height));
    current = false;
}

void Image::clear()
{
    pixels.clear();
    pixels.shrink_to_fit();
    // The surface object stays: images made by createImage keep pointing at it.
    if (memDC)
        memDC->resize(0, 0);
}

PixelSurface& Image::surface()
{
    if (!memDC) {
        memDC = std::make_unique<PixelSurface>(width, height);
        current = false;
    } else if (memDC->width != width || memDC->height != height) {
        memDC->resize(width, height);
        current = false;
    }
    return *memDC;
}

void Image::update()
{
    PixelSurface& s = surface();
    for (int row = 0; row < height; ++row) {
        const uint8_t* p = &pixels[size_t(height - row - 1) * size_t(stride)];
        uint32_t* out = &s.pixels[size_t(row) * size_t(width)];
        for (int col = 0; col < width; ++col, p += 3)
            out[col] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    }
}

void Image::refresh()
{
    surface();  // a new surface is never current
    if (!current) {
        current = true;
        update();
    }
}

void Image::paint()
{
    paint(x, y, width, height, 0, 0);
}

void Image::paint(int w, int h)
{
    paint(x, y, w, h, 0, 0);
}

void Image::paint(int dx, int dy, int w, int h)
{
    paint(dx, dy, w, h, 0, 0);
}

void Image::paint(int dx, int dy, int w, int h, int sx, int sy)
{
    refresh();
    if (targetDC)
        targetDC->copy(*memDC, dx, dy, w, h, sx, sy);
}

void Image::paint(int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh)
{
    refresh();
    if (targetDC)
        targetDC->stretchCopy(*memDC, dx, dy, dw, dh, sx, sy, sw, sh);
}

}  // namespace ovek
