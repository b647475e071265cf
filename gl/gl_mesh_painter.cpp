#include "gl/gl_mesh_painter.h"

#include <GL/gl.h>

#include <algorithm>
#include <memory>

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

// A display list is valid only in the context it was made in; a new context
// set up for the painter starts a new generation, and lists of older ones are
// neither called nor deleted.
unsigned contextGeneration = 0;

// A mesh's faces and points compiled into a display list, with what it was
// compiled from.
class FaceList : public ovek::CompiledMeshDraw {
public:
    FaceList(const ovek::MeshDrawKey& k, const float rgba[4], bool withPoints)
        : id(glGenLists(1)), key(k), points(withPoints), generation(contextGeneration)
    {
        std::copy(rgba, rgba + 4, emission);
    }
    ~FaceList() override
    {
        if (id != 0 && generation == contextGeneration)
            glDeleteLists(id, 1);
    }
    FaceList(const FaceList&) = delete;
    FaceList& operator=(const FaceList&) = delete;

    bool shows(const ovek::MeshDrawKey& k, const float rgba[4], bool withPoints) const
    {
        return id != 0 && generation == contextGeneration && key == k &&
               points == withPoints && std::equal(rgba, rgba + 4, emission);
    }

    GLuint id;
    ovek::MeshDrawKey key;
    float emission[4];
    bool points;
    unsigned generation;
};

// A few draws from arrays instead of a begin-end pair and a material per face:
// the same vertices, normals and emissions in the same order, so the same
// pixels, at a fraction of the calls.
void emitArrays(const ovek::MeshDrawArrays& a, const float emission[4], bool points)
{
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    if (!a.runs.empty()) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, a.faceVertices.data());
        glNormalPointer(GL_FLOAT, 0, a.faceNormals.data());
        for (const ovek::FaceRun& r : a.runs) {
            glMaterialfv(GL_FRONT, GL_EMISSION, r.selected ? kSelectedFace : emission);
            glDrawArrays(GL_TRIANGLES, GLint(3 * r.firstFace), GLsizei(3 * r.faceCount));
        }
        glDisableClientState(GL_NORMAL_ARRAY);
    }
    if (points) {
        const size_t total = a.pointVertices.size() / 3;
        glNormal3d(0, 0, -1);
        glPointSize(2);
        glVertexPointer(3, GL_FLOAT, 0, a.pointVertices.data());
        // Selected points last, so they come out on top where points coincide.
        glMaterialfv(GL_FRONT, GL_EMISSION, kPoint);
        glDrawArrays(GL_POINTS, 0, GLsizei(a.unselectedPoints));
        glMaterialfv(GL_FRONT, GL_EMISSION, kSelectedPoint);
        glDrawArrays(GL_POINTS, GLint(a.unselectedPoints), GLsizei(total - a.unselectedPoints));
    }
    glPopClientAttrib();
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
    if (!mesh.drawArrays)
        mesh.drawArrays = std::make_unique<ovek::MeshDrawArrays>();
    ovek::MeshDrawArrays& a = *mesh.drawArrays;
    const bool points = mesh.showMode != 0;
    auto* list = dynamic_cast<FaceList*>(a.compiled.get());
    if (list && list->shows(ovek::drawKeyOf(mesh), mesh.emission, points)) {
        glCallList(list->id);
        return;
    }
    if (a.follow(mesh)) {
        // The mesh changed since the last frame, and may well change again
        // before the next (a drag): compiling would cost more than it saves.
        a.compiled.reset();
        emitArrays(a, mesh.emission, points);
        return;
    }
    // Unchanged for a frame: worth keeping where the library keeps it.
    auto made = std::make_unique<FaceList>(a.key, mesh.emission, points);
    if (made->id == 0) {
        emitArrays(a, mesh.emission, points);
        return;
    }
    glNewList(made->id, GL_COMPILE);
    emitArrays(a, mesh.emission, points);
    glEndList();
    glCallList(made->id);
    a.compiled = std::move(made);
    a.release();
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
    ++contextGeneration;
    setMeshPainter(&painter);
}
