// Fuzz harness for the native model file reader.
#include <cstddef>
#include <cstdint>

#include "mesh/model_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Component3D mesh;
    if (ovek::decodeModel(data, size, &mesh)) {
        // Whatever was accepted must be a consistent mesh that can be used.
        mesh.refresh();
        mesh.update();
        mesh.updateNormal2();
        for (const auto& f : mesh.faces)
            (void)(f->p1->x + f->p2->y + f->p3->z);
    }
    return 0;
}
