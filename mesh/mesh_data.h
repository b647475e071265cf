#pragma once
// A mesh as plain numbers: what the model library's reader produces and what
// crosses the pipe from the process that reads a file to the program.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/file_result.h"
#include "mesh/component3d.h"

namespace ovek {

// The largest meshes the program takes from another program's file. A mesh
// at the caps needs about 300 MB in the modeller, and its .om file (for save
// and the undo steps) stays well inside kMaxModelBytes.
constexpr size_t kMaxModelPoints = 2000000;
constexpr size_t kMaxModelFaces = 2000000;

struct MeshData {
    std::vector<double> xyz;         // 3 per point, in the file's own axes (y up)
    std::vector<uint32_t> corners;   // 3 per face, indices into the points
    std::string warning;             // what was left out, for the user; empty if nothing

    size_t pointCount() const { return xyz.size() / 3; }
    size_t faceCount() const { return corners.size() / 3; }
};

// Why a mesh of these counts is refused, or "" when it is within the caps.
std::string meshCountProblem(uint64_t points, uint64_t faces);

// Replaces the mesh's contents with data, turned from the file's y-up axes
// into the modeller's (y down before the fit, as the 3DS reader leaves it) and
// fitted into min-max as a 3DS model is. data must be consistent (every corner
// below the point count): callers check before.
void meshFromData(const MeshData& data, const Point3D& min, const Point3D& max, Component3D* mesh);

}  // namespace ovek
