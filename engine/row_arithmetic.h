#pragma once
// The viewer's arithmetic for one row, inline, for the fast row generators.
// Every function repeats its ViewerModel or YChangedObjectModel counterpart
// expression for expression: the pixels come from truncated floating-point
// results, so a reordered or merged operation would change some of them.
#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/truncate.h"
#include "engine/viewer_model.h"

// Math_abs and Math_max, inline.
inline double absOf(double v)
{
    return v < 0 ? -v : v;
}

inline double maxOf(double a, double b)
{
    return a > b ? a : b;
}

// floor(v) and ceil(v) of a v well inside int range, without the library call
// the processor's baseline instructions need.
inline int floorOf(double v)
{
    const int t = int(v);
    return t - (v < t);
}

inline int ceilOf(double v)
{
    const int t = int(v);
    return t + (v > t);
}

// a / b and c / d; packed where the processor has it (each lane divides
// exactly as a single division does).
inline void dividePair(double a, double b, double c, double d, double& ab, double& cd)
{
#if defined(__SSE2__)
    const __m128d q = _mm_div_pd(_mm_set_pd(c, a), _mm_set_pd(d, b));
    ab = _mm_cvtsd_f64(q);
    cd = _mm_cvtsd_f64(_mm_unpackhi_pd(q, q));
#else
    ab = a / b;
    cd = c / d;
#endif
}

// Whether the quotient n / d (d not 0) certainly rounds to a value below v:
// decided by a product instead of a division, with a margin that covers the
// rounding of the product and of the quotient. Not sure means false. No
// branch, since which way it goes is hard to predict.
inline bool quotientSurelyBelow(double n, double d, double v)
{
    const double sign = std::copysign(1.0, d);
    const double p = v * d;
    const double margin = std::fabs(p) * 0x1p-48 + 0x1p-1000;
    return sign * n < sign * p - margin;
}

struct RowArithmetic {
    double eye_dis;  // half the distance between the eyes, pixels
    double eye_h;    // eye height above the base plane, pixels
    double img_h;    // picture-plane height above the base plane, pixels

    explicit RowArithmetic(const ViewerModel& viewer)
        : eye_dis(viewer.getEye_dis()), eye_h(viewer.getEye_h()), img_h(viewer.getImg_h())
    {
    }

    // ViewerModel::getImageX.
    double imageX(double eyeX, double x, double z) const
    {
        return x + (eyeX - x) * (img_h - z) / (eye_h - z);
    }

    // The distance between the two eyes' views of a flat surface at height z:
    // the repeat of a stereogram row there.
    double repeat(double z) const { return 2 * eye_dis * (img_h - z) / (eye_h - z); }

    // ViewerModel::getObjectRealH; never above the larger of z1 and z2 (or NaN).
    double realH(double x1, double z1, double x2, double z2, double px, double eyeX) const
    {
        const double D = eye_h - img_h;
        const double den = (x2 - x1) * D - (px - eyeX) * (z1 - z2);
        if (absOf(den) > 0.01) {
            const double z =
                (D * (x2 * z1 - x1 * z2) - (z1 - z2) * (eye_h * px - img_h * eyeX)) / den;
            if (z > z1 && z > z2)
                return maxOf(z1, z2);
            return z;
        }
        return z1 < z2 ? z1 : z2;
    }

    // realH and realX of one segment seen through one column, unless realH is
    // certainly below `reach` (then false, and h and x are left alone): the
    // common losing case costs no division. The two divisions go as one pair.
    bool sightLine(double x1, double z1, double x2, double z2, double px, double eyeX,
                   double reach, double& h, double& x) const
    {
        const double D = eye_h - img_h;
        const double den = (x2 - x1) * D - (px - eyeX) * (z1 - z2);
        if (!(absOf(den) > 0.01)) {
            if (!((z1 < z2 ? z1 : z2) >= reach))
                return false;
            h = z1 < z2 ? z1 : z2;
            x = z1 > z2 ? x1 : x2;
            return true;
        }
        const double nH = (D * (x2 * z1 - x1 * z2) - (z1 - z2) * (eye_h * px - img_h * eyeX));
        if (quotientSurelyBelow(nH, den, reach))
            return false;
        const double nX =
            ((x2 * z1 - x1 * z2) * (px - eyeX) - (eye_h * px - img_h * eyeX) * (x2 - x1));
        const double dX = ((z1 - z2) * (px - eyeX) - D * (x2 - x1));
        double z, q;
        dividePair(nH, den, nX, dX, z, q);
        h = z > z1 && z > z2 ? maxOf(z1, z2) : z;
        x = clampBetween(q, x1, x2);
        return true;
    }

    // ViewerModel::getObjectRealX.
    double realX(double x1, double z1, double x2, double z2, double px, double eyeX) const
    {
        const double D = eye_h - img_h;
        const double den = (x2 - x1) * D - (px - eyeX) * (z1 - z2);
        if (absOf(den) > 0.01) {
            const double x =
                ((x2 * z1 - x1 * z2) * (px - eyeX) - (eye_h * px - img_h * eyeX) * (x2 - x1)) /
                ((z1 - z2) * (px - eyeX) - D * (x2 - x1));
            return clampBetween(x, x1, x2);
        }
        return z1 > z2 ? x1 : x2;
    }

    // YChangedObjectModel::getImgY for a point at height z.
    double imageY(double y, double z) const { return y - y * (img_h - z) / (eye_h - z); }

    // Whether realDeep(y1, z1, y2, z2, py) exceeds v; if so, t receives it.
    // Most calls find without a division or a hard-to-predict branch that it
    // cannot.
    bool realDeepAbove(double y1, double z1, double y2, double z2, double py, double v,
                       double& t) const
    {
        const double D = eye_h - img_h;
        const double den = (y2 - y1) * D - py * (z1 - z2);
        const double n = (D * (y2 * z1 - y1 * z2) - (z1 - z2) * eye_h * py);
        const double low = z1 < z2 ? z1 : z2, high = z1 > z2 ? z1 : z2;
        const bool steep = (den > 0.001) | (den < -0.001);
        // The result lies within [low, high]: the lower end when the
        // intersection falls below it, the higher one for parallel lines.
        const bool possible = (high > v) & (!steep | !((low < v) & quotientSurelyBelow(n, den, v)));
        if (!possible)
            return false;
        const double z = steep ? clampBetween(n / den, z1, z2) : high;
        if (!(z > v))
            return false;
        t = z;
        return true;
    }

    // YChangedObjectModel::getObjectRealDeep; always within [min(z1, z2), max(z1, z2)].
    double realDeep(double y1, double z1, double y2, double z2, double py) const
    {
        const double D = eye_h - img_h;
        const double den = (y2 - y1) * D - py * (z1 - z2);
        if (den > 0.001 || den < -0.001) {
            const double z = (D * (y2 * z1 - y1 * z2) - (z1 - z2) * eye_h * py) / den;
            return clampBetween(z, z1, z2);
        }
        return z1 > z2 ? z1 : z2;
    }
};

// TriangleModel::getMiddle.
inline double middleOf(double y1, double y2, double a1, double a2, double y)
{
    if (absOf(y1 - y2) > 0.00001)
        return ((y1 - y) * a2 + (y - y2) * a1) / (y1 - y2);
    return (a1 + a2) / 2;
}

// ViewerModel::setColor on one row held as the output file's bytes (blue,
// green, red per pixel), for a row that is neither the last one nor outside.
inline void copyColour(uint8_t* row, int width, double sourceX, int column)
{
    const int half = width >> 1;
    const long long c = (long long)column + half;
    const double s = sourceX + half;
    if (!(1 <= s && s < width - 1) || c < 0 || c >= width - 1)
        return;
    const int k = int(s);
    const uint8_t* from = row + 3 * k;
    uint8_t* to = row + 3 * c;
    for (int plane = 0; plane < 3; ++plane) {
        const double value = (k + 1 - s) * from[plane] + (s - k) * from[plane + 3];
        to[plane] = uint8_t(truncClamp(value, 0, 255));
    }
}

// Crossed eyes: height z mirrored within [low, high] (mirror = low + high).
inline double mirrored(double z, double mirror, double low, double high)
{
    return clampBetween(mirror - z, low, high);
}

// Oversampling: a row of width pixels (blue, green, red) widened n times, each
// pixel repeated n times, into fine; and back, each n neighbouring columns
// averaged (rounded to nearest) into one pixel.
inline void stretchRow(const uint8_t* row, int width, int n, uint8_t* fine)
{
    for (int x = 0; x < width; ++x)
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < 3; ++c)
                fine[3 * (size_t(x) * size_t(n) + size_t(i)) + size_t(c)] = row[3 * size_t(x) + size_t(c)];
}

inline void averageRow(const uint8_t* fine, int width, int n, uint8_t* row)
{
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c) {
            int sum = n / 2;
            for (int i = 0; i < n; ++i)
                sum += fine[3 * (size_t(x) * size_t(n) + size_t(i)) + size_t(c)];
            row[3 * size_t(x) + size_t(c)] = uint8_t(sum / n);
        }
}
