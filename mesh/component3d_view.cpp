// The mesh in the OpenGL view: hit test, locking against a draw, display state;
// the drawing itself goes through the installed painter.
#include <cmath>

#include "mesh/component3d.h"
#include "mesh/mesh_painter.h"
#include "scene3d/window_info.h"

bool Component3D::isPointIn(double x, double y)
{
    WINDOW_INFO.updateMatrix();
    const int* vp = WINDOW_INFO.viewport;
    // Pane pixel row y (top-down) is OpenGL row height - 1 - y; a pixel outside
    // the view has no defined depth, so only the box test below judges it.
    const int col = int(std::floor(x));
    const int row = vp[3] - 1 - int(std::floor(y));
    if (col >= vp[0] && col < vp[0] + vp[2] && row >= vp[1] && row < vp[1] + vp[3]) {
        float depth = 1;
        WINDOW_INFO.readDepth(col, row, 1, 1, false, &depth);
        double mx, my, mz;
        if (WINDOW_INFO.getRealPos(x, y, depth, &mx, &my, &mz) && mx > boundMin.x &&
            mx < boundMax.x && my > boundMin.y && my < boundMax.y)
            return true;
    }
    double ax = 0, ay = 0, az = 0, bx = 0, by = 0, bz = 0;
    WINDOW_INFO.getWindowPos(boundMin.x, boundMin.y, boundMin.z, &ax, &ay, &az);
    WINDOW_INFO.getWindowPos(boundMax.x, boundMax.y, boundMax.z, &bx, &by, &bz);
    // Between the two projections, lower end included, in either order.
    return ((ax > x) != (bx > x)) && ((ay > y) != (by > y));
}

void Component3D::beginOperate()
{
    // Plain bytes shared with the drawing code, as the rest of the program expects.
    while (*static_cast<volatile unsigned char*>(&operating))
        ;
    operating = 1;
    while (*static_cast<volatile unsigned char*>(&showing))
        ;
}

void Component3D::show()
{
    if (operating)
        return;
    update();
    if (MeshPainter* painter = meshPainter())
        painter->setEmission(emission);
    operating = 1;
    showing = 1;
    show0();
    showing = 0;
    operating = 0;
}

void Component3D::show0()
{
    if (MeshPainter* painter = meshPainter())
        painter->drawMesh(*this);
}

void Component3D::show1()
{
    if (MeshPainter* painter = meshPainter())
        painter->drawMeshWire(*this);
}

void Component3D::setShowMode(int mode)
{
    showMode = mode;
    ++changeCount;
}

void Component3D::setEmissionColor(double r, double g, double b)
{
    emission[0] = float(r);
    emission[1] = float(g);
    emission[2] = float(b);
    emission[3] = 0.1f;
}
