#pragma once
// Pixel coordinates come from outside (window sizes, user drags) and are added
// and subtracted freely: results saturate at the int range instead of overflowing.
#include <algorithm>
#include <climits>

namespace ovek {

inline int saturateInt(long long v)
{
    return int(std::clamp(v, (long long)INT_MIN, (long long)INT_MAX));
}
inline int saturatingAdd(int a, int b) { return saturateInt((long long)a + b); }
inline int saturatingSub(int a, int b) { return saturateInt((long long)a - b); }

}  // namespace ovek
