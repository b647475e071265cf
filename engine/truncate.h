#pragma once
// Bounding of computed values. Truncation toward zero of doubles that may lie
// far outside int range (or be NaN, which counts as the lower end): converting
// such a value straight to int is undefined, so every coordinate that becomes
// an index passes through here.
#include <cmath>

// trunc(v) kept within [lo, hi]; requires lo <= hi.
inline int truncClamp(double v, int lo, int hi)
{
    if (!(v > lo))
        return lo;
    if (v >= hi)
        return hi;
    return int(v);
}

// The cell center + trunc(coord) when it lies in 0..count-1.
inline bool cellIndex(double coord, int center, int count, int& index)
{
    const double cell = std::trunc(coord) + center;
    if (!(cell >= 0 && cell < count))
        return false;
    index = int(cell);
    return true;
}

// v kept within [min(a, b), max(a, b)]; NaN passes through.
inline double clampBetween(double v, double a, double b)
{
    const double lo = a < b ? a : b;
    const double hi = a < b ? b : a;
    if (v < lo)
        v = lo;
    if (v > hi)
        v = hi;
    return v;
}
