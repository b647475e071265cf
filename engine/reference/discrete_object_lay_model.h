#pragma once
// Bilinear interpolation that cuts the surface off wherever the lattice
// touches the base: 0 next to any lattice value below 1. The only field with
// slopes.
#include <memory>

#include "engine/object_model.h"

class DiscreteObjectLayModel : public ObjectModel {
public:
    std::unique_ptr<ObjectModel> model;  // the wrapped field, owned

    explicit DiscreteObjectLayModel(std::unique_ptr<ObjectModel> wrapped);

    double height(double x, double y) const override;
    // Central differences of this field's own heights at the lattice points on
    // either side, blended by the position inside the cell.
    double dh_dx(double x, double y) const override;
    double dh_dy(double x, double y) const override;
};
