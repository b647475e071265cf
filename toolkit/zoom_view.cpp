#include "toolkit/zoom_view.h"

#include <algorithm>

namespace ovek {

void ZoomView::setArea(int width, int height)
{
    areaWidth = std::max(width, 0);
    areaHeight = std::max(height, 0);
    // A pane grown past a zoomed-out view shows it fitted rather than smaller.
    if (fitted || scale < std::min(fitScale(), 1.0))
        fit();
    else
        clamp();
}

void ZoomView::setPicture(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == pictureWidth && height == pictureHeight) {
        clamp();
        return;
    }
    pictureWidth = width;
    pictureHeight = height;
    fit();
}

double ZoomView::fitScale() const
{
    if (pictureWidth <= areaWidth && pictureHeight <= areaHeight)
        return 1;
    if (areaWidth <= 0 || areaHeight <= 0)
        return 1;   // nothing shows anyway; a scale of 0 would map nowhere
    return std::min(double(areaWidth) / pictureWidth, double(areaHeight) / pictureHeight);
}

void ZoomView::fit()
{
    scale = fitScale();
    left = 0;
    top = 0;
    fitted = true;
}

void ZoomView::actualSize()
{
    scale = 1;
    left = 0;
    top = 0;
    fitted = false;
}

void ZoomView::toggleActualSize()
{
    if (scale == 1)
        fit();
    else
        actualSize();
}

void ZoomView::zoomAbout(int x, int y, double factor)
{
    if (!(factor > 0))
        return;
    const double lowest = fitScale();
    const double next = std::clamp(scale * factor, std::min(lowest, 1.0), kMaxScale);
    if (next <= lowest) {
        fit();
        return;
    }
    // The picture point under the pointer, before and after.
    const double px = left + (x + 0.5) / scale;
    const double py = top + (y + 0.5) / scale;
    scale = next;
    left = px - (x + 0.5) / scale;
    top = py - (y + 0.5) / scale;
    fitted = false;
    clamp();
}

void ZoomView::scrollBy(int dx, int dy)
{
    left -= dx / scale;
    top -= dy / scale;
    clamp();
}

void ZoomView::clamp()
{
    const double maxLeft = std::max(0.0, pictureWidth - areaWidth / scale);
    const double maxTop = std::max(0.0, pictureHeight - areaHeight / scale);
    left = std::clamp(left, 0.0, maxLeft);
    top = std::clamp(top, 0.0, maxTop);
}

bool ZoomView::canScroll() const
{
    // A fitted side may come out a rounding error over the pane.
    return pictureWidth * scale > areaWidth + 1e-6 || pictureHeight * scale > areaHeight + 1e-6;
}

bool ZoomView::showsPicture(int x, int y) const
{
    if (x < 0 || y < 0 || x >= areaWidth || y >= areaHeight)
        return false;
    const long long px = pictureX(x), py = pictureY(y);
    return px >= 0 && py >= 0 && px < pictureWidth && py < pictureHeight;
}

PicturePlacement ZoomView::placement(int x, int y) const
{
    PicturePlacement at;
    at.originX = x;
    at.originY = y;
    at.left = left;
    at.top = top;
    at.scale = scale;
    return at;
}

}  // namespace ovek
