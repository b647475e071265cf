#include "engine/reference/discrete_object_lay_model.h"

#include <utility>

#include "engine/discrete_object_model.h"

DiscreteObjectLayModel::DiscreteObjectLayModel(std::unique_ptr<ObjectModel> wrapped)
    : model(std::move(wrapped))
{
}

double DiscreteObjectLayModel::height(double x, double y) const
{
    if (!model)
        return 0;
    const LatticeSample s = sampleLattice(*model, x, y);
    if (s.h00 < 1 || s.h01 < 1 || s.h10 < 1 || s.h11 < 1)
        return 0;
    return bilinear(s);
}

double DiscreteObjectLayModel::dh_dx(double x, double y) const
{
    const double x0 = latticeFloor(x);
    const double fx = x - x0;
    return (1 - fx) * (height(x0 + 1, y) - height(x0 - 1, y)) / 2 +
           fx * (height(x0 + 2, y) - height(x0, y)) / 2;
}

double DiscreteObjectLayModel::dh_dy(double x, double y) const
{
    const double y0 = latticeFloor(y);
    const double fy = y - y0;
    return (1 - fy) * (height(x, y0 + 1) - height(x, y0 - 1)) / 2 +
           fy * (height(x, y0 + 2) - height(x, y0)) / 2;
}
