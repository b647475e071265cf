#include "production/dot_pattern.h"

#include "image/image.h"

namespace ovek {

namespace {

// SplitMix64: a well-mixed 64-bit value per input, the same everywhere.
uint64_t mix(uint64_t v)
{
    v += 0x9E3779B97F4A7C15ull;
    v = (v ^ (v >> 30)) * 0xBF58476D1CE4E5B9ull;
    v = (v ^ (v >> 27)) * 0x94D049BB133111EBull;
    return v ^ (v >> 31);
}

}  // namespace

std::unique_ptr<Image> dotPattern(const StereogramSettings& settings, int width, int height)
{
    if (settings.pattern == PatternSource::Picture || width < 1 || height < 1)
        return nullptr;
    auto tile = std::make_unique<Image>(nullptr, width, height);
    // density percent of 2^32, so that 0 gives no white dot and 100 all white.
    const double density = settings.density < 0 ? 0 : settings.density > 100 ? 100 : settings.density;
    const uint64_t threshold = uint64_t(density / 100 * 4294967296.0);
    const uint64_t base = mix(settings.seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint64_t r = mix(base ^ (uint64_t(y) << 32 | uint32_t(x)));
            uint8_t b, g, red;
            switch (settings.pattern) {
            case PatternSource::Dots:
                b = g = red = (r & 0xFFFFFFFFu) < threshold ? 255 : 0;
                break;
            case PatternSource::GreyDots:
                b = g = red = uint8_t(r >> 56);
                break;
            default:
                b = uint8_t(r >> 40);
                g = uint8_t(r >> 48);
                red = uint8_t(r >> 56);
                break;
            }
            tile->setColor(x, y, b, g, red);
        }
    return tile;
}

}  // namespace ovek
