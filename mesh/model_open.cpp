#include "mesh/model_open.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/name_ending.h"
#include "mesh/library_reader.h"
#include "mesh/mesh_data.h"
#include "mesh/model_file.h"

namespace ovek {

namespace {

// The library reads in a child process (contained_read.h), after the checks
// that need no parsing: the file is there, is a file, and is not too large.
FileResult openLibraryModel(const std::string& path, Component3D* mesh, const Point3D& min,
                            const Point3D& max, const ContainLimits& limits)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return FileResult::failure(std::string("cannot open the file: ") + std::strerror(errno));
    // A pipe or a device has no end to wait for.
    if (!S_ISREG(st.st_mode))
        return FileResult::failure("it is not a regular file");
    if (access(path.c_str(), R_OK) != 0)
        return FileResult::failure(std::string("cannot open the file: ") + std::strerror(errno));
    if (uint64_t(st.st_size) > kMaxLibraryModelBytes)
        return FileResult::failure("the file has " + std::to_string(uint64_t(st.st_size) >> 20) +
                                   " MiB; the limit for this kind of model is " +
                                   std::to_string(kMaxLibraryModelBytes >> 20) + " MiB");
    MeshData data;
    const FileResult r =
        readContained([&](MeshData& out) { return readLibraryModel(path, out); }, limits, data);
    if (r)
        meshFromData(data, min, max, mesh);
    return r;
}

}  // namespace

ModelKind modelKindOf(const std::string& path)
{
    if (isLibraryModelName(path))
        return ModelKind::Library;
    if (endsWithNoCase(path, "3ds"))
        return ModelKind::ThreeDS;
    if (endsWithNoCase(path, "om"))
        return ModelKind::Native;
    return ModelKind::None;
}

std::string modelEndingsText()
{
    std::string text = ".3ds, .om";
    for (size_t i = 0; i < kLibraryModelEndingCount; ++i)
        text += std::string(i + 1 == kLibraryModelEndingCount ? " or " : ", ") +
                kLibraryModelEndings[i];
    return text;
}

FileResult openModelFile(const std::string& path, Component3D* mesh)
{
    // y and z run downwards into the box: the pane looks at the mesh from +z.
    return openModelFile(path, mesh, Point3D(-1, 1, -1), Point3D(1, -1, 1));
}

FileResult openModelFile(const std::string& path, Component3D* mesh, const Point3D& min,
                         const Point3D& max)
{
    return openModelFile(path, mesh, min, max, ContainLimits());
}

FileResult openModelFile(const std::string& path, Component3D* mesh, const Point3D& min,
                         const Point3D& max, const ContainLimits& limits)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return FileResult::failure("it is a folder, not a model");
    switch (modelKindOf(path)) {
    case ModelKind::ThreeDS:
        return mesh->load(path.c_str(), &min, &max);
    case ModelKind::Native:
        return loadModel(path.c_str(), mesh);
    case ModelKind::Library:
        return openLibraryModel(path, mesh, min, max, limits);
    case ModelKind::None:
        break;
    }
    return FileResult::failure("not a model file (it should end in " + modelEndingsText() + ")");
}

}  // namespace ovek
