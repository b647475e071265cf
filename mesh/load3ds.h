#pragma once
// Turning a 3DS file into the editable mesh.
#include <cstddef>
#include <cstdint>

#include "base/file_result.h"
#include "mesh/component3d.h"

namespace ovek {

// Component3D::load over bytes already in memory: on success the mesh holds
// every triangle mesh of the file (vertices no face uses dropped, the 3DS
// (x, y, z) turned into (x, -z, -y), objects one after another) fitted into
// min-max, with a warning in the result when part of the file was cut short
// and left out; on failure the mesh is left as it was.
FileResult load3DS(const uint8_t* data, size_t size, const Point3D* min, const Point3D* max,
                   Component3D* mesh);

}  // namespace ovek
