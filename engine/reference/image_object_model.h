#pragma once
// A picture whose brightness is height: the mean of a pixel's three bytes,
// 0..255, centred on the origin and not flipped (picture row 0 is at
// y = -centerY).
#include <vector>

#include "engine/object_model.h"

namespace ovek {
class Image;
}

class ImageObjectModel : public ObjectModel {
public:
    int columns = 0;           // picture width, pixels
    int rows = 0;              // picture height, pixels
    int centerX = 0;           // columns >> 1
    int centerY = 0;           // rows >> 1
    std::vector<double> grid;  // grid[row * columns + column]; empty: no grid, height 0

    // picture may be null; its values are copied, no reference is kept.
    explicit ImageObjectModel(const ovek::Image* picture);

    // Replaces the grid; null leaves the field without grid (and the sizes as
    // they were).
    void setImage(const ovek::Image* picture);
    int getWidth() const { return columns; }
    int getHeight() const { return rows; }

    double height(double x, double y) const override;

    // The cell (centerX + trunc(x), centerY + trunc(y)) of a row-major grid, or
    // 0 outside it.
    static double lookup(const std::vector<double>& grid, int columns, int rows, int centerX,
                         int centerY, double x, double y);
};
