#pragma once
// The pattern of each frame: the same picture every frame, fresh random dots
// every frame, or the picture drifting a few pixels a frame.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace ovek {

class Image;

enum class PatternMotion {
    Fixed,   // the same pattern: steady, but the flat pattern can show the shape moving
    Fresh,   // new random dots each frame: nothing shows through, but the dots flicker
    Drift,   // the pattern moves kDriftX, kDriftY pixels a frame
};

// How far a drifting pattern moves each frame, in pixels (right, down).
constexpr int kDriftX = 2;
constexpr int kDriftY = 1;

// "fixed", "fresh" or "drift"; false for any other name.
bool patternMotionNamed(const std::string& name, PatternMotion* motion);

// Makes frame k's pattern; may be called for several frames at once from
// several threads. Null: a black start.
using PatternProvider = std::function<std::shared_ptr<const Image>(int frame)>;

// Random dots made for one frame: a picture `width` x `height` of black and
// white dots, the same bytes for the same seed.
using DotsMaker = std::function<std::shared_ptr<const Image>(uint32_t seed)>;

// Black and white dots, half of each, from seed.
std::shared_ptr<const Image> randomDots(int width, int height, uint32_t seed);

// The picture pattern moved right by dx and down by dy, wrapping round.
std::shared_ptr<const Image> shiftedPattern(const Image& pattern, int dx, int dy);

// Fixed and Drift move `pattern` (null: black, which drifting leaves black);
// Fresh asks dots for a picture with seed + frame.
PatternProvider patternProvider(PatternMotion motion, std::shared_ptr<const Image> pattern,
                                DotsMaker dots = nullptr, uint32_t seed = 0);

}  // namespace ovek
