#pragma once
// The pattern of each frame: the same pattern every frame, fresh random dots
// every frame, or the pattern drifting a few pixels a frame.
#include <functional>
#include <memory>
#include <string>

#include "production/production.h"

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

// Sets frame k's pattern on in, whose depth and settings are already the
// frame's: returns the picture for in.pattern, which the caller keeps alive
// while the frame is made (null: the settings' generated dots, or a black
// start), and may change in.settings. May be called for several frames at
// once from several threads.
using PatternProvider = std::function<std::shared_ptr<const Image>(int frame, ProductionInput& in)>;

// The picture pattern moved right by dx and down by dy, wrapping round.
std::shared_ptr<const Image> shiftedPattern(const Image& pattern, int dx, int dy);

// The settings' seed for frame k of fresh dots: seed + k, wrapping round, so
// that frame k is the production with --seed seed + k.
uint32_t freshSeed(uint32_t seed, int frame);

// Fixed: pattern, or the settings' generated dots, every frame.
// Fresh: the settings' generated dots (black and white dots where the
// settings name a picture) with freshSeed; pattern is not used.
// Drift: pattern, or the generated tile the production would make (as wide as
// the frame's background repeat), moved kDriftX, kDriftY a frame; no pattern
// stays black.
PatternProvider patternProvider(PatternMotion motion, std::shared_ptr<const Image> pattern);

}  // namespace ovek
