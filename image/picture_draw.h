#pragma once
// Drawing a picture onto a surface at any scale, nearest pixel, straight from
// the picture's own pixels: only the pixels that land inside the clip are
// read, so a picture far larger than the window needs no surface of its own.
#include <cmath>
#include <cstdint>

namespace ovek {

class Image;
class PixelSurface;
struct GreyPicture;

// Where a picture lands: surface pixel (originX + i, originY + j) shows the
// picture pixel (shownPixel(left, scale, i), shownPixel(top, scale, j)).
struct PicturePlacement {
    int originX = 0;     // surface pixel of the pane's top-left corner
    int originY = 0;
    double left = 0;     // picture pixels left of and above the pane's corner
    double top = 0;
    double scale = 1;    // surface pixels per picture pixel; not positive: nothing is drawn
};

// The picture pixel shown at pane pixel i: the one under the pane pixel's
// centre. Far outside any picture it saturates rather than overflows.
inline long long shownPixel(double start, double scale, long long i)
{
    const double p = std::floor(start + (double(i) + 0.5) / scale);
    if (!(p > -2.0))
        return -2;
    if (p > 2147483647.0)
        return 2147483647;
    return (long long)p;
}

// Draws into [x0, x1) x [y0, y1) of dst (clipped to dst); surface pixels that
// show no picture pixel are left as they are.
void drawPicture(PixelSurface& dst, const Image& src, const PicturePlacement& at, int x0, int y0,
                 int x1, int y1);
// A grey picture, each value as the grey (v, v, v).
void drawPicture(PixelSurface& dst, const GreyPicture& src, const PicturePlacement& at, int x0,
                 int y0, int x1, int y1);

}  // namespace ovek
