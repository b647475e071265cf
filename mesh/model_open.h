#pragma once
// Opening a model file the way the application's open does: by its ending, in
// any letter case.
#include <string>

#include "base/file_result.h"
#include "mesh/component3d.h"

namespace ovek {

enum class ModelKind {
    None,         // not a model file: a picture, or anything else
    ThreeDS,      // ends in "3ds"
    Native,       // ends in "om"
};

ModelKind modelKindOf(const std::string& path);

// Loads a 3DS file fitted into the box (-1, 1, -1)-(1, -1, 1), or a native
// model file as it is stored. Fails for any other ending; on failure the mesh
// keeps what it had.
FileResult openModelFile(const std::string& path, Component3D* mesh);
// The same with another box for a 3DS file (max < min on an axis mirrors it).
FileResult openModelFile(const std::string& path, Component3D* mesh, const Point3D& min,
                         const Point3D& max);

}  // namespace ovek
