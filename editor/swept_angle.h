#pragma once
// The angle the pointer sweeps around the pivot between two records, for
// turning about the view axis.

namespace ovek {

// Signed angle (radians, -pi/2 .. pi/2) from q, the pointer relative to the
// pivot at the previous record, to r, the same now: asin of their cross
// product over their lengths; 0 when either lies within a pixel of the pivot.
// Never NaN: rounding can take the sine a hair past 1 when the two are at a
// right angle.
double sweptAngle(double rx, double ry, double qx, double qy);

}  // namespace ovek
