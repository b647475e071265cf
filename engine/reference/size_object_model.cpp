#include "engine/reference/size_object_model.h"

#include <utility>

SizeObjectModel::SizeObjectModel(const ObjectModel* wrapped, double sx, double sy)
    : model(wrapped), scaleX(sx), scaleY(sy)
{
}

SizeObjectModel::SizeObjectModel(std::unique_ptr<ObjectModel> wrapped, double sx, double sy)
    : model(wrapped.get()), scaleX(sx), scaleY(sy), kept(std::move(wrapped))
{
}

double SizeObjectModel::height(double x, double y) const
{
    return model ? model->height(x / scaleX, y / scaleY) : 0;
}
