// Fuzz harness for the model library's reader and the flattening after it.
// The first byte picks the format (its value modulo the number of endings,
// in the order of kLibraryModelEndings); the rest is the file. Set
// PEXOLEN_FUZZ_ENDINGS to a list such as "gltf glb" to fuzz one family: inputs
// whose first byte picks another ending are skipped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "mesh/library_reader.h"
#include "mesh/mesh_data.h"

namespace {

bool allowed(const char* ending)
{
    static const char* only = std::getenv("PEXOLEN_FUZZ_ENDINGS");
    if (!only)
        return true;
    const std::string list = std::string(" ") + only + " ";
    return list.find(std::string(" ") + (ending + 1) + " ") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const char* ending = ovek::kLibraryModelEndings[data[0] % ovek::kLibraryModelEndingCount];
    if (!allowed(ending))
        return 0;
    ovek::MeshData mesh;
    const ovek::FileResult r = ovek::readLibraryModel(data + 1, size - 1, ending, mesh);
    if (!r) {
        if (r.error.empty())
            std::abort();   // a refusal must say why
        return 0;
    }
    // What is accepted is a mesh the program can take as it is.
    if (!ovek::meshCountProblem(mesh.pointCount(), mesh.faceCount()).empty() ||
        mesh.faceCount() == 0 || mesh.xyz.size() % 3 || mesh.corners.size() % 3)
        std::abort();
    for (size_t i = 0; i < mesh.corners.size(); i += 3) {
        const uint32_t* c = &mesh.corners[i];
        if (c[0] >= mesh.pointCount() || c[1] >= mesh.pointCount() || c[2] >= mesh.pointCount() ||
            c[0] == c[1] || c[1] == c[2] || c[0] == c[2])
            std::abort();
    }
    Component3D component;
    ovek::meshFromData(mesh, Point3D(-1, 1, -1), Point3D(1, -1, 1), &component);
    return 0;
}
