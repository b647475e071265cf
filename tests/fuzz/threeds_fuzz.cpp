// Fuzz harness for the 3DS reader, through the whole load into a mesh.
#include <cstddef>
#include <cstdint>

#include "mesh/load3ds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Point3D min(-1, 1, -1);
    const Point3D max(1, -1, 1);
    Component3D mesh;
    if (ovek::load3DS(data, size, &min, &max, &mesh)) {
        mesh.updateNormal1();
        for (const auto& f : mesh.faces)
            (void)(f->p1->x + f->p2->y + f->p3->z);
    }
    return 0;
}
