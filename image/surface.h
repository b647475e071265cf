#pragma once
// Drawing surfaces: where images are shown and where Graphics draws.
#include <cstdint>
#include <vector>

namespace ovek {

class PixelSurface;

// Something an image can be copied onto: another image's software surface, or
// a native window supplied by the window-system layer.
class Surface {
public:
    virtual ~Surface() = default;
    // Copy w x h pixels of src starting at (sx, sy) to (dx, dy); parts outside
    // either surface are skipped.
    virtual void copy(const PixelSurface& src, int dx, int dy, int w, int h, int sx, int sy) = 0;
    // Scale the source rectangle (sx, sy, sw x sh) onto (dx, dy, dw x dh),
    // nearest pixel; nothing happens when a size is not positive.
    virtual void stretchCopy(const PixelSurface& src, int dx, int dy, int dw, int dh, int sx,
                             int sy, int sw, int sh) = 0;
};

// A software surface: top-down rows of 0x00RRGGBB pixels, black when made.
class PixelSurface : public Surface {
public:
    PixelSurface(int width, int height);

    int width = 0;                  // pixels
    int height = 0;                 // pixels
    std::vector<uint32_t> pixels;   // width * height, row 0 at the top

    void resize(int width, int height);  // black again
    uint32_t get(int x, int y) const;   // 0 outside
    void set(int x, int y, uint32_t rgb);  // ignored outside
    // Fill [x0, x1) x [y0, y1), clipped to the surface.
    void fillRect(int x0, int y0, int x1, int y1, uint32_t rgb);

    void copy(const PixelSurface& src, int dx, int dy, int w, int h, int sx, int sy) override;
    void stretchCopy(const PixelSurface& src, int dx, int dy, int dw, int dh, int sx, int sy,
                     int sw, int sh) override;
};

inline uint32_t rgb(int r, int g, int b)
{
    return (uint32_t(r & 255) << 16) | (uint32_t(g & 255) << 8) | uint32_t(b & 255);
}

}  // namespace ovek
