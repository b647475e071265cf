#pragma once
// Writing the mesh for other programs: Wavefront OBJ (text), binary STL and
// binary little-endian PLY. Each holds the current point positions and the
// faces, nothing else; the file is replaced only by a complete one.
#include <string>

#include "base/file_result.h"
#include "mesh/component3d.h"

namespace ovek {

enum class ModelWriteFormat {
    Native,   // .om: the program's own file, everything else too
    OBJ,
    STL,
    PLY,
};

// By the name's ending in any letter case; anything else is the native file.
ModelWriteFormat modelWriteFormatOf(const std::string& path);

// OBJ keeps the points and their sharing exactly (shortest decimal that reads
// back to the same double); STL stores every face with its own three float
// corners and a normal, as the format has it; PLY stores float points and
// faces over them.
FileResult saveOBJ(const std::string& path, const Component3D& mesh);
FileResult saveSTL(const std::string& path, const Component3D& mesh);
FileResult savePLY(const std::string& path, const Component3D& mesh);

// By modelWriteFormatOf: saveModel for the native file, else one of the above.
FileResult saveModelFile(const std::string& path, const Component3D& mesh);

}  // namespace ovek
