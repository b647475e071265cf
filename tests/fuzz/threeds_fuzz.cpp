// Fuzz harness for the 3DS reader, through the whole load into a mesh.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "mesh/load3ds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Point3D min(-1, 1, -1);
    const Point3D max(1, -1, 1);
    Component3D mesh;
    mesh.addPoint(new Point3D(7, 7, 7));
    const ovek::FileResult r = ovek::load3DS(data, size, &min, &max, &mesh);
    // A refusal says why and leaves the mesh; a file read in part has faces.
    if (!r && (r.error.empty() || mesh.points.size() != 1 || mesh.points[0]->x != 7))
        std::abort();
    if (r && !r.warning.empty() && mesh.faces.empty())
        std::abort();
    if (r) {
        mesh.updateNormal1();
        for (const auto& f : mesh.faces)
            (void)(f->p1->x + f->p2->y + f->p3->z);
    }
    return 0;
}
