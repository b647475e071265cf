// Fuzz harness for the native model file reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "mesh/model_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Component3D mesh;
    mesh.addPoint(new Point3D(7, 7, 7));
    const ovek::FileResult r = ovek::decodeModel(data, size, &mesh);
    // A refusal says why and leaves the mesh as it was.
    if (!r && (r.error.empty() || mesh.points.size() != 1 || mesh.points[0]->x != 7))
        std::abort();
    if (r) {
        // Whatever was accepted must be a consistent mesh that can be used.
        mesh.refresh();
        mesh.update();
        mesh.updateNormal2();
        for (const auto& f : mesh.faces)
            (void)(f->p1->x + f->p2->y + f->p3->z);
    }
    return 0;
}
