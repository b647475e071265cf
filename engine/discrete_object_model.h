#pragma once
// Bilinear interpolation of a field over the integer lattice, so that a field
// known only at whole-number points can be sampled anywhere.
#include <memory>

#include "engine/object_model.h"

// The four lattice values around (x, y) and the position inside their cell.
struct LatticeSample {
    double x0 = 0;   // floor of x for x above -10000
    double y0 = 0;   // floor of y for y above -10000
    double fx = 0;   // x - x0
    double fy = 0;   // y - y0
    double h00 = 0;  // at (x0, y0)
    double h01 = 0;  // at (x0, y0 + 1)
    double h10 = 0;  // at (x0 + 1, y0)
    double h11 = 0;  // at (x0 + 1, y0 + 1)
};

// trunc(v + 10000) - 10000: the floor of v for every v above -10000. Kept in
// double so that no coordinate overflows an int.
double latticeFloor(double v);
// Samples the four lattice points in the order h00, h01, h10, h11.
LatticeSample sampleLattice(const ObjectModel& field, double x, double y);
// ((1 - fx)·h00 + fx·h10)·(1 - fy) + ((1 - fx)·h01 + fx·h11)·fy
double bilinear(const LatticeSample& s);

// Negative results are raised to 0.
class DiscreteObjectModel : public ObjectModel {
public:
    std::unique_ptr<ObjectModel> model;  // the wrapped field, owned

    explicit DiscreteObjectModel(std::unique_ptr<ObjectModel> wrapped);

    double height(double x, double y) const override;
};
