// Bilinear resampling with pixel centres aligned (half-pixel offsets).
#include "production/depth_resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ovek {

namespace {

// Where output position i of n falls on an axis of `from` samples: the two
// neighbours and the weight of the second.
struct Tap {
    int a, b;
    double f;
};

std::vector<Tap> taps(int from, int n)
{
    std::vector<Tap> t(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double at = std::clamp((i + 0.5) * from / n - 0.5, 0.0, double(from - 1));
        const int a = int(at);
        t[size_t(i)] = {a, std::min(a + 1, from - 1), at - a};
    }
    return t;
}

}  // namespace

GreyPicture resampleDepth(const GreyPicture& depth, int width, int height)
{
    GreyPicture out;
    out.width = std::max(1, width);
    out.height = std::max(1, height);
    const size_t count = size_t(out.width) * size_t(out.height);
    out.values.assign(count, 0);
    out.values16.assign(count, 0);
    const size_t samples = size_t(depth.width) * size_t(depth.height);
    const bool wide = !depth.values16.empty() && depth.values16.size() == samples;
    if (samples == 0 || (!wide && depth.values.size() != samples))
        return out;
    auto at = [&](int x, int y) -> double {
        const size_t i = size_t(y) * size_t(depth.width) + size_t(x);
        return wide ? depth.values16[i] : depth.values[i] * 257.0;
    };
    const std::vector<Tap> xs = taps(depth.width, out.width), ys = taps(depth.height, out.height);
    for (int y = 0; y < out.height; ++y) {
        const Tap& ty = ys[size_t(y)];
        for (int x = 0; x < out.width; ++x) {
            const Tap& tx = xs[size_t(x)];
            const double top = at(tx.a, ty.a) * (1 - tx.f) + at(tx.b, ty.a) * tx.f;
            const double bottom = at(tx.a, ty.b) * (1 - tx.f) + at(tx.b, ty.b) * tx.f;
            const double v = std::clamp(top * (1 - ty.f) + bottom * ty.f, 0.0, 65535.0);
            const uint16_t w = uint16_t(std::lround(v));
            const size_t i = size_t(y) * size_t(out.width) + size_t(x);
            out.values16[i] = w;
            out.values[i] = uint8_t((w + 128) / 257);
        }
    }
    return out;
}

}  // namespace ovek
