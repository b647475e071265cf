#include "gl/gl_mesh_painter.h"

#include <GL/gl.h>

#include "mesh/component3d.h"

namespace {

// Emission colours, r g b a.
const GLfloat kSelectedFace[4] = {0.1f, 0.3f, 1.0f, 0.1f};
const GLfloat kPoint[4] = {0.0f, 0.0f, 1.0f, 0.1f};
const GLfloat kSelectedPoint[4] = {1.0f, 0.0f, 0.0f, 0.1f};
// Vertex colours of the wire overlay, r g b.
const GLfloat kWireSelected[3] = {0, 0, 1};
const GLfloat kWireUnselected[3] = {1, 0, 0};

void emitVertex(const Point3D& p)
{
    glVertex3f(float(p.x), float(p.y), float(p.z));
}

void emitFace(const Triangle3D& t)
{
    Point3D n;
    t.getNormal(&n);
    glBegin(GL_TRIANGLES);
    // Every face is lit as if it faced the viewer, whatever its corner order.
    if (n.z > 0)
        glNormal3d(n.x, n.y, n.z);
    else
        glNormal3d(-n.x, -n.y, -n.z);
    emitVertex(*t.p1);
    emitVertex(*t.p2);
    emitVertex(*t.p3);
    glEnd();
}

bool anyCornerSelected(const Triangle3D& t)
{
    return t.p1->selected || t.p2->selected || t.p3->selected;
}

void emitPoints(const Component3D& mesh, bool selected)
{
    glBegin(GL_POINTS);
    for (const auto& p : mesh.points)
        if (bool(p->selected) == selected)
            emitVertex(*p);
    glEnd();
}

}  // namespace

void GlMeshPainter::vertex(const Point3D& p)
{
    emitVertex(p);
}

void GlMeshPainter::triangle(const Triangle3D& t)
{
    emitFace(t);
}

void GlMeshPainter::rectangle(const Rectangle3D& r)
{
    glBegin(GL_QUADS);
    emitVertex(*r.p1);
    emitVertex(*r.p2);
    emitVertex(*r.p3);
    emitVertex(*r.p4);
    glEnd();
}

void GlMeshPainter::setEmission(const float rgba[4])
{
    glMaterialfv(GL_FRONT, GL_EMISSION, rgba);
}

void GlMeshPainter::drawMesh(const Component3D& mesh)
{
    for (const auto& f : mesh.faces) {
        glMaterialfv(GL_FRONT, GL_EMISSION, anyCornerSelected(*f) ? kSelectedFace : mesh.emission);
        emitFace(*f);
    }
    if (mesh.showMode == 0)
        return;
    glNormal3d(0, 0, -1);
    glPointSize(2);
    // Selected points last, so they come out on top where points coincide.
    glMaterialfv(GL_FRONT, GL_EMISSION, kPoint);
    emitPoints(mesh, false);
    glMaterialfv(GL_FRONT, GL_EMISSION, kSelectedPoint);
    emitPoints(mesh, true);
}

void GlMeshPainter::drawMeshWire(const Component3D& mesh)
{
    const bool wire = mesh.showMode & 1;
    const bool blend = mesh.showMode & 2;
    if (blend) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glShadeModel(GL_FLAT);
        glDepthMask(GL_FALSE);
    }
    drawMesh(mesh);
    if (wire) {
        glDisable(GL_LIGHTING);
        for (const auto& f : mesh.faces) {
            glBegin(GL_LINE_LOOP);
            for (const Point3D* p : {f->p1, f->p2, f->p3}) {
                glColor3fv(p->selected ? kWireSelected : kWireUnselected);
                emitVertex(*p);
            }
            glEnd();
        }
        glEnable(GL_LIGHTING);
    }
    // The shade model and depth mask stay as set: the caller owns them.
    if (blend)
        glDisable(GL_BLEND);
}

void installGlMeshPainter()
{
    static GlMeshPainter painter;
    setMeshPainter(&painter);
}
