#pragma once
// The program's raster picture: a 24-bit pixel buffer in BMP row layout plus a
// software drawing surface that is brought up to date lazily before showing.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/file_result.h"
#include "image/surface.h"

namespace ovek {

class Image {
public:
    // Pictures larger than this are refused before anything is allocated.
    static constexpr int kMaxSide = 30000;                  // pixels on a side
    static constexpr long long kMaxPixels = 1LL << 28;      // pixels in all

    int x = 0;                // where paint() and paint(w, h) place the image
    int y = 0;
    int width = 0;            // pixels
    int stride = 0;           // bytes per buffer row: 3 * width rounded up to 4
    int height = 0;           // pixels
    std::vector<uint8_t> pixels;   // stride * height bytes, bottom row first, B G R
    Surface* targetDC = nullptr;   // where paint copies to; not owned
    bool current = false;          // memDC shows the same picture as pixels
    // Own drawing surface (Graphics draws here, createImage targets it); made
    // on first use so that images never shown cost no surface memory, and kept
    // (resized in place) for the image's lifetime so that pointers to it stay valid.
    std::unique_ptr<PixelSurface> memDC;

    Image(Surface* target, int width, int height);
    ~Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    static int strideFor(int width);
    // Whether a picture of this size may be made.
    static bool sizeAllowed(long long width, long long height);

    // A new image painting onto this image's surface, at x = b, y = a. Caller owns it.
    Image* createImage(int a, int b, int width, int height);
    // Discards the pixels; a size that is negative or not allowed gives 0 x 0
    // and false.
    bool setSize(int width, int height);
    void clear();
    // Takes over a filled buffer of width x height (bottom row first, stride
    // bytes a row, as pixels holds them) instead of allocating one.
    void adoptPixels(int w, int h, std::vector<uint8_t>&& rows);
    void setPosition(int px, int py) { x = px; y = py; }
    void setHDC(Surface* target) { targetDC = target; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }

    void setPixel(int px, int py, uint8_t first, uint8_t second, uint8_t third)
    {
        if (px < 0 || py < 0 || px >= width || py >= height)
            return;
        uint8_t* p = &pixels[size_t(height - py - 1) * size_t(stride) + size_t(px) * 3];
        p[0] = first;
        p[1] = second;
        p[2] = third;
        current = false;
    }
    // Bytes in memory order (blue, green, red), each reduced to its low 8 bits.
    void setColor(int px, int py, int first, int second, int third)
    {
        setPixel(px, py, uint8_t(first & 255), uint8_t(second & 255), uint8_t(third & 255));
    }
    // red * 65536 + green * 256 + blue, or 0 outside the image.
    int getColor(int px, int py) const
    {
        if (px < 0 || py < 0 || px >= width || py >= height)
            return 0;
        const uint8_t* p = &pixels[size_t(height - py - 1) * size_t(stride) + size_t(px) * 3];
        return p[0] + p[1] * 256 + p[2] * 65536;
    }

    // The own surface, made on first use.
    PixelSurface& surface();
    void update();    // copy the pixel buffer into the surface
    void refresh();   // update() when the buffer changed since the last one

    void paint();
    void paint(int w, int h);
    void paint(int dx, int dy, int w, int h);
    void paint(int dx, int dy, int w, int h, int sx, int sy);
    void paint(int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh);  // stretches

    // Reads any picture the program understands (BMP of every common variant,
    // PNG, JPEG, ...), chosen by content. On failure the image becomes 1 x 1
    // black and the reason is returned.
    FileResult loadImage(const std::string& path);
    // Uncompressed 24-bit BMP; the target is replaced only once the whole file
    // was written.
    FileResult writeBMPFile(const std::string& path) const;
    // PNG, written the same safe way.
    FileResult writePNGFile(const std::string& path) const;
};

}  // namespace ovek
