#include "editor/edit_brush.h"

#include <cmath>

std::vector<ovek::OverlayVertex> EditBrush::outline() const
{
    // A step that is not positive, or so small that the angle stops growing,
    // would never reach the end of the circle: the outline is cut off there.
    constexpr size_t kMaxVertices = 4096;
    std::vector<ovek::OverlayVertex> vertices;
    for (double a = 0; a < 6.28 && step > 0 && vertices.size() < kMaxVertices; a += step)
        vertices.push_back({float(std::sin(a) * size + x), float(std::cos(a) * size + y), float(z)});
    return vertices;
}

void EditBrush::show()
{
    if (painter)
        painter->drawLineLoop(outline());
}
