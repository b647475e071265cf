#include "engine/object_model.h"

double ObjectModel::height(double, double) const
{
    return 0;
}

double ObjectModel::dh_dx(double, double) const
{
    return 0;
}

double ObjectModel::dh_dy(double, double) const
{
    return 0;
}

double BackLayModel::height(double, double) const
{
    return 3.0;
}
