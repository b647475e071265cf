#include "engine/reference/image_object_model.h"

#include "engine/truncate.h"
#include "image/image.h"

ImageObjectModel::ImageObjectModel(const ovek::Image* picture)
{
    setImage(picture);
}

void ImageObjectModel::setImage(const ovek::Image* picture)
{
    grid.clear();
    grid.shrink_to_fit();
    if (!picture)
        return;
    // Image keeps its sizes non-negative and bounded.
    columns = picture->getWidth();
    rows = picture->getHeight();
    grid.resize(size_t(columns) * size_t(rows));
    for (int v = 0; v < rows; ++v) {
        for (int u = 0; u < columns; ++u) {
            const int p = picture->getColor(u, v);
            grid[size_t(v) * size_t(columns) + size_t(u)] =
                (((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255)) / 3;
        }
    }
    centerX = columns >> 1;
    centerY = rows >> 1;
}

double ImageObjectModel::lookup(const std::vector<double>& grid, int columns, int rows,
                                int centerX, int centerY, double x, double y)
{
    int ix, iy;
    if (grid.empty() || !cellIndex(x, centerX, columns, ix) || !cellIndex(y, centerY, rows, iy))
        return 0;
    return grid[size_t(iy) * size_t(columns) + size_t(ix)];
}

double ImageObjectModel::height(double x, double y) const
{
    return lookup(grid, columns, rows, centerX, centerY, x, y);
}
