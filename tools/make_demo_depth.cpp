// Writes demo/depth.bmp: a grey depth picture (brightness is height) with
// smooth shapes at several depth levels: a dome, a ring and stepped blocks.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "image/image.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

double dome(double x, double y, double cx, double cy, double radius, double top)
{
    const double d2 = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (radius * radius);
    return d2 >= 1 ? 0 : top * std::sqrt(1 - d2);
}

double ring(double x, double y, double cx, double cy, double radius, double tube, double top)
{
    const double d = std::hypot(x - cx, y - cy) - radius;
    return std::fabs(d) >= tube ? 0 : top * std::sqrt(1 - d * d / (tube * tube));
}

}  // namespace

int main(int argc, char** argv)
{
    const char* out = argc > 1 ? argv[1] : "demo/depth.bmp";
    ovek::Image img(nullptr, kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            double h = 0;
            h = std::max(h, ring(x, y, 320, 240, 150, 34, 150));
            h = std::max(h, dome(x, y, 320, 240, 85, 240));
            // Three blocks climbing from left to right along the bottom.
            for (int k = 0; k < 3; ++k)
                if (y >= 405 && y < 455 && x >= 150 + k * 120 && x < 250 + k * 120)
                    h = std::max(h, 70.0 + 50.0 * k);
            const int v = int(std::lround(h));
            img.setColor(x, y, v, v, v);
        }
    if (ovek::FileResult r = img.writeBMPFile(out); !r) {
        std::fprintf(stderr, "make_demo_depth: %s: %s\n", out, r.error.c_str());
        return 1;
    }
    return 0;
}
