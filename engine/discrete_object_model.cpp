#include "engine/discrete_object_model.h"

#include <cmath>
#include <utility>

double latticeFloor(double v)
{
    return std::trunc(v + 10000) - 10000;
}

LatticeSample sampleLattice(const ObjectModel& field, double x, double y)
{
    LatticeSample s;
    s.x0 = latticeFloor(x);
    s.y0 = latticeFloor(y);
    s.fx = x - s.x0;
    s.fy = y - s.y0;
    s.h00 = field.height(s.x0, s.y0);
    s.h01 = field.height(s.x0, s.y0 + 1);
    s.h10 = field.height(s.x0 + 1, s.y0);
    s.h11 = field.height(s.x0 + 1, s.y0 + 1);
    return s;
}

double bilinear(const LatticeSample& s)
{
    return ((1 - s.fx) * s.h00 + s.fx * s.h10) * (1 - s.fy) +
           ((1 - s.fx) * s.h01 + s.fx * s.h11) * s.fy;
}

DiscreteObjectModel::DiscreteObjectModel(std::unique_ptr<ObjectModel> wrapped)
    : model(std::move(wrapped))
{
}

double DiscreteObjectModel::height(double x, double y) const
{
    if (!model)
        return 0;
    const double r = bilinear(sampleLattice(*model, x, y));
    return r < 0 ? 0 : r;
}
