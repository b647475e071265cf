#include "animation/pattern_motion.h"

#include <algorithm>
#include <cmath>

#include "image/image.h"
#include "production/dot_pattern.h"

namespace ovek {

namespace {

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

uint32_t freshSeed(uint32_t seed, int frame)
{
    return seed + uint32_t(frame);
}

PatternProvider patternProvider(PatternMotion motion, std::shared_ptr<const Image> pattern)
{
    switch (motion) {
    case PatternMotion::Fresh:
        return [](int frame, ProductionInput& in) -> std::shared_ptr<const Image> {
            if (in.settings.pattern == PatternSource::Picture)
                in.settings.pattern = PatternSource::Dots;
            in.settings.seed = freshSeed(in.settings.seed, frame);
            return nullptr;
        };
    case PatternMotion::Drift:
        return [pattern](int frame, ProductionInput& in) -> std::shared_ptr<const Image> {
            if (in.settings.pattern == PatternSource::Picture)
                return pattern ? shiftedPattern(*pattern, kDriftX * frame, kDriftY * frame)
                               : nullptr;
            // The tile the production would make, moved: its width follows
            // the frame's geometry.
            int w = 0, h = 0;
            resultSize(in, w, h);
            const std::unique_ptr<Image> tile =
                dotPattern(in.settings, int(std::lround(backgroundRepeat(in))), h);
            if (!tile)
                return nullptr;
            in.settings.pattern = PatternSource::Picture;
            return shiftedPattern(*tile, kDriftX * frame, kDriftY * frame);
        };
    case PatternMotion::Fixed:
        break;
    }
    return [pattern](int, ProductionInput&) { return pattern; };
}

}  // namespace ovek
