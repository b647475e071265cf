#include "mesh/model_open.h"

#include <filesystem>

#include "base/name_ending.h"
#include "mesh/model_file.h"

namespace ovek {

ModelKind modelKindOf(const std::string& path)
{
    if (endsWithNoCase(path, "3ds"))
        return ModelKind::ThreeDS;
    if (endsWithNoCase(path, "om"))
        return ModelKind::Native;
    return ModelKind::None;
}

FileResult openModelFile(const std::string& path, Component3D* mesh)
{
    // y and z run downwards into the box: the pane looks at the mesh from +z.
    return openModelFile(path, mesh, Point3D(-1, 1, -1), Point3D(1, -1, 1));
}

FileResult openModelFile(const std::string& path, Component3D* mesh, const Point3D& min,
                         const Point3D& max)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return FileResult::failure("it is a folder, not a model");
    switch (modelKindOf(path)) {
    case ModelKind::ThreeDS:
        return mesh->load(path.c_str(), &min, &max);
    case ModelKind::Native:
        return loadModel(path.c_str(), mesh);
    case ModelKind::None:
        break;
    }
    return FileResult::failure("not a model file (it should end in .3ds or .om)");
}

}  // namespace ovek
