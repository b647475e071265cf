#include "production/depth_comfort.h"

#include <algorithm>

namespace ovek {

DepthComfort depthComfort(const StereogramGeometry& g)
{
    const double narrow = std::min(g.backgroundRepeat, g.nearestRepeat);
    const double wide = std::max(g.backgroundRepeat, g.nearestRepeat);
    if (!(wide > 0))
        return DepthComfort::TooWeak;   // nothing to repeat: no geometry at all
    if (narrow < kStrongestRepeatRatio * wide)
        return DepthComfort::TooStrong;
    if (wide - narrow < kWeakestRepeatDifference * wide || g.levels < kFewestDepthLevels)
        return DepthComfort::TooWeak;
    return DepthComfort::Comfortable;
}

}  // namespace ovek
