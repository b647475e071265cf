#pragma once
// A depth field made of a height grid filled from triangles, and the split of a
// triangle list into such layers so that triangles which disagree in height
// land in different layers.
#include <memory>
#include <vector>

#include "engine/object_model.h"

class TriangleModel;

class TriangleSetModel : public ObjectModel {
public:
    int columns = 0;           // grid width, cells
    int rows = 0;              // grid height, cells
    int centerX = 0;           // columns / 2
    int centerY = 0;           // rows / 2
    std::vector<double> grid;  // grid[row * columns + column], zeros at first

    // Negative sizes count as 0.
    TriangleSetModel(int columns, int rows);

    int getWidth() const { return columns; }
    int getHeight() const { return rows; }
    double height(double x, double y) const override;

    // Each triangle goes into the first layer whose grid accepts it
    // (TriangleModel::toArray), or else into a new layer. The result holds the
    // layers in creation order followed by one BackLayModel; layerCount
    // receives its length.
    static std::vector<std::unique_ptr<ObjectModel>> getTriangleSetModels(
        const TriangleModel* const* triangles, int count, int columns, int rows, int& layerCount);
};
