#pragma once
// Meshes drawn in OpenGL from vertex arrays kept with each mesh (rebuilt only
// when the mesh changed): faces lit through the material's emission only, the
// selection in fixed colours, points as small dots. Single faces, quads and the
// wire variant go in immediate mode.
#include "mesh/mesh_painter.h"

class GlMeshPainter : public MeshPainter {
public:
    void vertex(const Point3D& p) override;
    void triangle(const Triangle3D& t) override;
    void rectangle(const Rectangle3D& r) override;
    void setEmission(const float rgba[4]) override;
    void drawMesh(const Component3D& mesh) override;
    void drawMeshWire(const Component3D& mesh) override;
};

// Makes every mesh draw through OpenGL; the one painter lives for the whole run.
void installGlMeshPainter();
