#include "editor/swept_angle.h"

#include <algorithm>
#include <cmath>

namespace ovek {

double sweptAngle(double rx, double ry, double qx, double qy)
{
    const double w = (rx * rx + ry * ry) * (qx * qx + qy * qy);
    if (w <= 1)
        return 0;
    return std::asin(std::clamp((qx * ry - qy * rx) / std::sqrt(w), -1.0, 1.0));
}

}  // namespace ovek
