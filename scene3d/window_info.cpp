#include "scene3d/window_info.h"

#include <algorithm>
#include <cmath>

WINDOW_INFO_CLASS WINDOW_INFO;

void WINDOW_INFO_CLASS::updateMatrix()
{
    if (backend)
        backend->readMatrices(viewport, modelview, projection);
}

void WINDOW_INFO_CLASS::readDepth(int x, int y, int w, int h, bool fromFront, float* out)
{
    if (w <= 0 || h <= 0)
        return;
    if (backend)
        backend->readDepth(x, y, w, h, fromFront, out);
    else
        std::fill(out, out + size_t(w) * size_t(h), 1.0f);
}

int WINDOW_INFO_CLASS::getWindowPos(double x, double y, double z, double* wx, double* wy,
                                    double* wz)
{
    updateMatrix();
    return getWindowPosQuick(x, y, z, wx, wy, wz);
}

int WINDOW_INFO_CLASS::getRealPos(double wx, double wy, double wz, double* x, double* y, double* z)
{
    updateMatrix();
    return getRealPosQuick(wx, wy, wz, x, y, z);
}

int WINDOW_INFO_CLASS::getWindowPosQuick(double x, double y, double z, double* wx, double* wy,
                                         double* wz)
{
    return backend ? backend->project(x, -y, z, modelview, projection, viewport, wx, wy, wz) : 0;
}

int WINDOW_INFO_CLASS::getRealPosQuick(double wx, double wy, double wz, double* x, double* y,
                                       double* z)
{
    return backend ? backend->unProject(wx, viewport[3] - wy, wz, modelview, projection, viewport,
                                        x, y, z)
                   : 0;
}

bool WINDOW_INFO_CLASS::isVisible(double x, double y, double z)
{
    double wx = 0, wy = 0, wz = 0;
    // A point in the eye's own plane has no window position: nothing shows it.
    if (!getWindowPosQuick(x, y, z, &wx, &wy, &wz))
        return false;
    // Far outside the window every sample would be background; this also keeps
    // the conversions to int below in range.
    const double limit = 1e9;
    if (!(std::fabs(wx) < limit && std::fabs(viewport[3] - wy) < limit))
        return true;
    // The judged samples: columns trunc(wx)-2 .. trunc(wx), rows r0 .. r0+2
    // (bottom-up), the lower-left 3 x 3 of a 5 x 5 block around the point.
    const int c0 = int(wx) - 2;
    const int r0 = int(viewport[3] - wy - 2.0);
    // OpenGL leaves pixels outside the window undefined: only the part inside
    // the viewport is read, and the rest counts as empty background.
    float depth[9];
    std::fill(depth, depth + 9, 1.0f);
    const int x0 = std::max(c0, viewport[0]);
    const int x1 = std::min(c0 + 2, viewport[0] + viewport[2] - 1);
    const int y0 = std::max(r0, viewport[1]);
    const int y1 = std::min(r0 + 2, viewport[1] + viewport[3] - 1);
    if (x0 <= x1 && y0 <= y1) {
        float block[9];
        const int w = x1 - x0 + 1;
        const int h = y1 - y0 + 1;
        readDepth(x0, y0, w, h, true, block);
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c)
                depth[(y0 - r0 + r) * 3 + (x0 - c0 + c)] = block[r * w + c];
    }
    bool behind = false;
    bool inFront = false;
    for (float d : depth) {
        const double toPoint = d - wz;
        const double toEmpty = d - 1.0;
        if ((toPoint > -0.001 && toPoint < 0.001) || (toEmpty > -0.001 && toEmpty < 0.001))
            return true;
        if (d > wz)
            behind = true;
        if (d < wz)
            inFront = true;
    }
    // Nearer and farther samples around it: the point sits on a silhouette.
    return behind && inFront;
}

double WINDOW_INFO_CLASS::getTransX(int a) const
{
    return double(2LL * a - transOffsetX) / double(transScaleX);
}

double WINDOW_INFO_CLASS::getTransY(int a) const
{
    return double(2LL * a - transOffsetY) / double(transScaleY);
}
