// Writes demo/pattern.bmp: a fine, colourful, non-repeating texture that tiles
// without seams (everything is computed on a torus), so depth reads easily.
#include <cmath>
#include <cstdio>
#include <cstdint>

#include "image/image.h"

namespace {

constexpr int kWidth = 144;
constexpr int kHeight = 144;

// A small fixed generator, so that the file is the same on every machine.
struct Random {
    uint32_t state = 20261208u;
    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int below(int n) { return int(next() % uint32_t(n)); }
};

// Saturated colour of a hue 0..359.
void hueToRGB(int hue, int& r, int& g, int& b)
{
    const int sector = hue / 60, f = (hue % 60) * 255 / 60;
    const int table[6][3] = {{255, f, 0}, {255 - f, 255, 0}, {0, 255, f},
                             {0, 255 - f, 255}, {f, 0, 255}, {255, 0, 255 - f}};
    r = table[sector][0];
    g = table[sector][1];
    b = table[sector][2];
}

int wrapDistance(int a, int b, int period)
{
    const int d = std::abs(a - b) % period;
    return d < period - d ? d : period - d;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* out = argc > 1 ? argv[1] : "demo/pattern.bmp";
    ovek::Image img(nullptr, kWidth, kHeight);
    Random rnd;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int v = 40 + rnd.below(60);
            img.setColor(x, y, v, v, v);
        }
    // Many small discs, darker rim, lighter core: fine high-contrast detail.
    for (int n = 0; n < 420; ++n) {
        const int cx = rnd.below(kWidth), cy = rnd.below(kHeight);
        const int radius = 2 + rnd.below(rnd.below(4) == 0 ? 9 : 5);
        int r, g, b;
        hueToRGB(rnd.below(360), r, g, b);
        for (int y = cy - radius; y <= cy + radius; ++y)
            for (int x = cx - radius; x <= cx + radius; ++x) {
                const int px = (x + kWidth) % kWidth, py = (y + kHeight) % kHeight;
                const int dx = wrapDistance(px, cx, kWidth), dy = wrapDistance(py, cy, kHeight);
                const int d2 = dx * dx + dy * dy;
                if (d2 > radius * radius)
                    continue;
                const double light = d2 > (radius - 1) * (radius - 1) ? 0.45 : 1.0 - 0.3 * d2 / (radius * radius);
                img.setColor(px, py, int(b * light), int(g * light), int(r * light));
            }
    }
    // Per-pixel grain keeps flat areas from matching the wrong partner.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int c = img.getColor(x, y), grain = rnd.below(41) - 20;
            auto ch = [&](int shift) {
                const int v = ((c >> shift) & 255) + grain;
                return v < 0 ? 0 : v > 255 ? 255 : v;
            };
            img.setColor(x, y, ch(0), ch(8), ch(16));
        }
    if (ovek::FileResult r = img.writeBMPFile(out); !r) {
        std::fprintf(stderr, "make_demo_pattern: %s: %s\n", out, r.error.c_str());
        return 1;
    }
    return 0;
}
