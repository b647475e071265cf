#pragma once
// How meshes reach the graphics library when they draw themselves. The OpenGL
// layer installs the real painter; nothing below it includes an OpenGL header,
// and while no painter is installed drawing emits nothing.
class Component3D;
class Rectangle3D;
class Triangle3D;
struct Point3D;

class MeshPainter {
public:
    virtual ~MeshPainter() = default;
    // One vertex, between the begin and end of a primitive.
    virtual void vertex(const Point3D& p) = 0;
    // One face, lit as if it faced the viewer: its normal is flipped unless it
    // points towards +z.
    virtual void triangle(const Triangle3D& t) = 0;
    // A quadrilateral, without a normal.
    virtual void rectangle(const Rectangle3D& r) = 0;
    // Front-face emission, r g b a.
    virtual void setEmission(const float rgba[4]) = 0;
    // Every face in the mesh's emission, or the selected-face colour when a
    // corner is selected; then, when showMode is not 0, the points as 2-pixel
    // dots, the selected ones last.
    virtual void drawMesh(const Component3D& mesh) = 0;
    // drawMesh with additive blending (showMode bit 1) and a wire overlay
    // coloured by selection (bit 0).
    virtual void drawMeshWire(const Component3D& mesh) = 0;
};

// Installs the painter every mesh draws through; null removes it. Not owned.
void setMeshPainter(MeshPainter* painter);
MeshPainter* meshPainter();
