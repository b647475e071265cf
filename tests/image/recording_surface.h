#pragma once
// A copy target that keeps the pixels copied to it and a list of the copies.
#include <vector>

#include "image/surface.h"

namespace faketk {

class RecordingSurface : public ovek::PixelSurface {
public:
    struct Copy {
        int x, y, w, h, sx, sy;
        bool operator==(const Copy& o) const
        {
            return x == o.x && y == o.y && w == o.w && h == o.h && sx == o.sx && sy == o.sy;
        }
    };
    using PixelSurface::PixelSurface;
    std::vector<Copy> copies;

    void copy(const PixelSurface& src, int dx, int dy, int w, int h, int sx, int sy) override
    {
        copies.push_back({dx, dy, w, h, sx, sy});
        PixelSurface::copy(src, dx, dy, w, h, sx, sy);
    }
};

}  // namespace faketk
