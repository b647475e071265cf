#include "mesh/mesh_painter.h"

namespace {
MeshPainter* current = nullptr;
}  // namespace

void setMeshPainter(MeshPainter* painter)
{
    current = painter;
}

MeshPainter* meshPainter()
{
    return current;
}
