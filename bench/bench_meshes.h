#pragma once
// Meshes the drawing benchmarks share: the largest model of the corpus and a
// generated sheet of 200,000 faces.
#include <cmath>
#include <memory>
#include <string>

#include "mesh/component3d.h"

namespace benchmesh {

const std::string kLargest =
    std::string(PEXOLEN_SOURCE_DIR) + "/../shared/corpus/3ds/NITRO_ENGINE.3ds";

// A wavy sheet of 400 x 250 squares, two faces each: 200,000 faces filling
// the model box, many of them seen edge-on, as in a scanned model.
inline bool makeSheet(Component3D& mesh)
{
    constexpr int kColumns = 400, kRows = 250;
    for (int r = 0; r <= kRows; ++r)
        for (int c = 0; c <= kColumns; ++c) {
            const double x = 2.0 * c / kColumns - 1, y = 1.6 * r / kRows - 0.8;
            mesh.addPoint(new Point3D(x, y, 0.3 * std::sin(9 * x) * std::cos(7 * y)));
        }
    auto at = [&](int r, int c) { return mesh.points[size_t(r * (kColumns + 1) + c)].get(); };
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            mesh.faces.push_back(std::make_unique<Triangle3D>(at(r, c), at(r, c + 1), at(r + 1, c)));
            mesh.faces.push_back(
                std::make_unique<Triangle3D>(at(r + 1, c + 1), at(r + 1, c), at(r, c + 1)));
        }
    mesh.refresh();
    return true;
}

}  // namespace benchmesh
