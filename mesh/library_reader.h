#pragma once
// Models in the formats other programs write (OBJ, STL, PLY, glTF, OFF, FBX,
// COLLADA), read through the Open Asset Import Library. Every mesh of the
// scene is placed by its nodes' transforms, triangulated, and flattened into
// one list of points and faces: points at the same position are joined and
// faces that use a point twice are dropped. The library runs in this process:
// callers that open user files go through readContained (contained_read.h).
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/file_result.h"
#include "mesh/mesh_data.h"

namespace ovek {

// The endings read this way, with their dots, lower case; a name matches
// them in any letter case.
extern const char* const kLibraryModelEndings[];
extern const size_t kLibraryModelEndingCount;

// Whether path ends in one of kLibraryModelEndings.
bool isLibraryModelName(const std::string& path);

// Reads the file at path; files it names beside itself (a glTF's buffers) are
// read too. The format is told by the name's ending.
FileResult readLibraryModel(const std::string& path, MeshData& out);

// The same over bytes in memory; ending ("obj", "stl", ...) names the format.
// Files named inside it cannot be reached.
FileResult readLibraryModel(const uint8_t* data, size_t size, const std::string& ending,
                            MeshData& out);

}  // namespace ovek
