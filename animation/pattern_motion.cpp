#include "animation/pattern_motion.h"

#include <algorithm>

#include "image/image.h"

namespace ovek {

namespace {

// splitmix64: a small generator whose output is the same on every machine.
uint64_t nextRandom(uint64_t& state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int wrap(long long v, int n)
{
    const long long r = v % n;
    return int(r < 0 ? r + n : r);
}

}  // namespace

bool patternMotionNamed(const std::string& name, PatternMotion* motion)
{
    if (name == "fixed")
        *motion = PatternMotion::Fixed;
    else if (name == "fresh")
        *motion = PatternMotion::Fresh;
    else if (name == "drift")
        *motion = PatternMotion::Drift;
    else
        return false;
    return true;
}

std::shared_ptr<const Image> randomDots(int width, int height, uint32_t seed)
{
    auto dots = std::make_shared<Image>(nullptr, width, height);
    uint64_t state = seed;
    uint64_t bits = 0;
    int left = 0;
    for (int y = 0; y < dots->getHeight(); ++y)
        for (int x = 0; x < dots->getWidth(); ++x) {
            if (left == 0) {
                bits = nextRandom(state);
                left = 64;
            }
            const int v = (bits & 1) ? 255 : 0;
            bits >>= 1;
            --left;
            dots->setColor(x, y, v, v, v);
        }
    return dots;
}

std::shared_ptr<const Image> shiftedPattern(const Image& pattern, int dx, int dy)
{
    const int w = pattern.getWidth(), h = pattern.getHeight();
    auto moved = std::make_shared<Image>(nullptr, w, h);
    if (w <= 0 || h <= 0)
        return moved;
    const size_t rowBytes = 3 * size_t(w);
    const int sx = wrap(-(long long)dx, w);
    for (int y = 0; y < h; ++y) {
        // Buffer rows are stored bottom row first.
        const int from = wrap((long long)y - dy, h);
        const uint8_t* src = &pattern.pixels[size_t(h - 1 - from) * size_t(pattern.stride)];
        uint8_t* dst = &moved->pixels[size_t(h - 1 - y) * size_t(moved->stride)];
        const size_t head = 3 * size_t(w - sx);
        std::copy(src + 3 * size_t(sx), src + rowBytes, dst);
        std::copy(src, src + 3 * size_t(sx), dst + head);
    }
    return moved;
}

PatternProvider patternProvider(PatternMotion motion, std::shared_ptr<const Image> pattern,
                                DotsMaker dots, uint32_t seed)
{
    switch (motion) {
    case PatternMotion::Fresh:
        return [dots, seed](int frame) { return dots(seed + uint32_t(frame)); };
    case PatternMotion::Drift:
        if (pattern)
            return [pattern](int frame) {
                return shiftedPattern(*pattern, kDriftX * frame, kDriftY * frame);
            };
        break;
    case PatternMotion::Fixed:
        break;
    }
    return [pattern](int) { return pattern; };
}

}  // namespace ovek
