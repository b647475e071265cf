#pragma once
// Whether a stereogram's depth is comfortable to look at, judged from its
// geometry before it is made: the window warns when it is not.
#include "production/production.h"

namespace ovek {

enum class DepthComfort {
    Comfortable,
    TooStrong,  // the repeats differ so much that the eyes tire or cannot fuse
    TooWeak,    // so little depth that the shape hardly stands out
};

// Most eyes fuse repeats down to about 0.6 of the background's; beyond that
// the nearest parts split apart.
constexpr double kStrongestRepeatRatio = 0.6;
// Below these the shape is a faint ripple or a few flat steps.
constexpr double kWeakestRepeatDifference = 0.02;  // of the wider repeat
constexpr long long kFewestDepthLevels = 4;

// The repeats are compared in either order: crossed eyes see the nearest
// parts with the wider repeat.
DepthComfort depthComfort(const StereogramGeometry& geometry);

}  // namespace ovek
