#include "engine/reference/triangle_set_model.h"

#include <iterator>

#include "engine/reference/image_object_model.h"
#include "engine/triangle_model.h"

TriangleSetModel::TriangleSetModel(int c, int r)
    : columns(c < 0 ? 0 : c),
      rows(r < 0 ? 0 : r),
      centerX(columns / 2),
      centerY(rows / 2),
      grid(size_t(columns) * size_t(rows), 0.0)
{
}

double TriangleSetModel::height(double x, double y) const
{
    return ImageObjectModel::lookup(grid, columns, rows, centerX, centerY, x, y);
}

std::vector<std::unique_ptr<ObjectModel>> TriangleSetModel::getTriangleSetModels(
    const TriangleModel* const* triangles, int count, int columns, int rows, int& layerCount)
{
    std::vector<std::unique_ptr<TriangleSetModel>> layers;
    for (int i = 0; i < count; ++i) {
        const TriangleModel& triangle = *triangles[i];
        bool placed = false;
        for (auto& layer : layers) {
            if (triangle.toArray(layer->grid, layer->columns, layer->rows)) {
                placed = true;
                break;
            }
        }
        if (!placed) {
            layers.push_back(std::make_unique<TriangleSetModel>(columns, rows));
            triangle.toArray(layers.back()->grid, layers.back()->columns, layers.back()->rows);
        }
    }
    std::vector<std::unique_ptr<ObjectModel>> result(
        std::make_move_iterator(layers.begin()), std::make_move_iterator(layers.end()));
    result.push_back(std::make_unique<BackLayModel>());
    layerCount = int(result.size());
    return result;
}
