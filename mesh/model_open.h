#pragma once
// Opening a model file the way the application's open does: by its ending, in
// any letter case.
#include <string>

#include "base/file_result.h"
#include "mesh/component3d.h"
#include "mesh/contained_read.h"

namespace ovek {

enum class ModelKind {
    None,         // not a model file: a picture, or anything else
    ThreeDS,      // ends in "3ds"
    Native,       // ends in "om"
    Library,      // .obj .stl .ply .gltf .glb .off .fbx .dae: read through the model library
};

ModelKind modelKindOf(const std::string& path);

// Files read through the model library larger than this are refused before
// any reading: a text model this size already holds millions of faces.
constexpr size_t kMaxLibraryModelBytes = size_t(256) << 20;

// The model endings the open offers, for messages: ".3ds, .om, .obj, ...".
std::string modelEndingsText();

// Loads a 3DS file or a file of the model library's formats fitted into the
// box (-1, 1, -1)-(1, -1, 1), or a native model file as it is stored. Fails
// for any other ending; on failure the mesh keeps what it had.
FileResult openModelFile(const std::string& path, Component3D* mesh);
// The same with another box (max < min on an axis mirrors it).
FileResult openModelFile(const std::string& path, Component3D* mesh, const Point3D& min,
                         const Point3D& max);
// The same with other limits for the library's reading process.
FileResult openModelFile(const std::string& path, Component3D* mesh, const Point3D& min,
                         const Point3D& max, const ContainLimits& limits);

}  // namespace ovek
