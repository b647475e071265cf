// The mesh drawn from its kept arrays and display list against the same mesh
// drawn face by face in immediate mode, one begin-end pair and one material
// per face (how the pane used to draw, kept here only as the reference). Both
// go through the same Mesa with the same vertices, normals and materials, so
// the pictures must be identical, pixel for pixel.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gl/gl_mesh_painter.h"
#include "gl/pane_gl.h"
#include "mesh/component3d.h"
#include "tests/gl/gl_context.h"

namespace {

// The old drawing, call for call.
class FaceByFacePainter : public GlMeshPainter {
public:
    void drawMesh(const Component3D& mesh) override
    {
        static const GLfloat selectedFace[4] = {0.1f, 0.3f, 1.0f, 0.1f};
        static const GLfloat point[4] = {0.0f, 0.0f, 1.0f, 0.1f};
        static const GLfloat selectedPoint[4] = {1.0f, 0.0f, 0.0f, 0.1f};
        for (const auto& f : mesh.faces) {
            const bool selected = f->p1->selected || f->p2->selected || f->p3->selected;
            glMaterialfv(GL_FRONT, GL_EMISSION, selected ? selectedFace : mesh.emission);
            Point3D n;
            f->getNormal(&n);
            glBegin(GL_TRIANGLES);
            if (n.z > 0)
                glNormal3d(n.x, n.y, n.z);
            else
                glNormal3d(-n.x, -n.y, -n.z);
            for (const Point3D* p : {f->p1, f->p2, f->p3})
                glVertex3f(float(p->x), float(p->y), float(p->z));
            glEnd();
        }
        if (mesh.showMode == 0)
            return;
        glNormal3d(0, 0, -1);
        glPointSize(2);
        for (int pass = 0; pass < 2; ++pass) {
            glMaterialfv(GL_FRONT, GL_EMISSION, pass ? selectedPoint : point);
            glBegin(GL_POINTS);
            for (const auto& p : mesh.points)
                if (bool(p->selected) == bool(pass))
                    glVertex3f(float(p->x), float(p->y), float(p->z));
            glEnd();
        }
    }
};

class MeshArraysRender : public ::testing::Test {
protected:
    static constexpr int kSize = 256;

    OffscreenView view{kSize, kSize};
    GlMeshPainter arrays;
    FaceByFacePainter reference;

    void SetUp() override
    {
        if (!view.ready())
            GTEST_SKIP() << "no off-screen OpenGL context could be made";
        SceneInit();
        setPaneProjection(kSize, kSize);
        setupPaneLighting();
    }
    void TearDown() override { setMeshPainter(nullptr); }

    std::vector<unsigned char> draw(Component3D& mesh, MeshPainter& painter)
    {
        setMeshPainter(&painter);
        beginPanePaint();
        mesh.show();
        endPanePaint();
        std::vector<unsigned char> rgba(size_t(kSize) * kSize * 4);
        glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }
};

// A soup of overlapping triangles through the whole view: many cover the same
// pixels at nearly the same depth, so a face drawn out of order, or with a
// normal or corner off by a rounding, shows. Some corners are shared, a few
// faces are degenerate (no normal) or upright (normal with z exactly 0).
void makeSoup(Component3D& mesh, size_t faces, unsigned seed, double selectedShare)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> coord(-1.2, 1.2), small(-0.15, 0.15), unit(0, 1);
    for (size_t i = 0; i < faces; ++i) {
        const double cx = coord(random), cy = coord(random), cz = coord(random) / 2;
        const bool upright = i % 89 == 0;   // every corner at the same x
        Point3D* c[3];
        for (int k = 0; k < 3; ++k) {
            if (!upright && k > 0 && mesh.points.size() > 10 && unit(random) < 0.2) {
                c[k] = mesh.points[size_t(unit(random) * double(mesh.points.size() - 1))].get();
                continue;
            }
            auto* p = new Point3D(upright ? cx : cx + small(random), cy + small(random),
                                  cz + small(random));
            p->selected = unit(random) < selectedShare;
            mesh.addPoint(p);
            c[k] = p;
        }
        if (i % 97 == 0)
            c[2] = c[1];   // degenerate
        mesh.faces.push_back(std::make_unique<Triangle3D>(c[0], c[1], c[2]));
    }
    mesh.refresh();
}

TEST_F(MeshArraysRender, ALargeMeshLooksExactlyAsWhenDrawnFaceByFace)
{
    struct Case {
        unsigned seed;
        double selectedShare;
        int showMode;
    } cases[] = {
        {1, 0.0, 0},    // one colour: a single run
        {2, 0.05, 2},   // scattered selection: many short runs, and the points
        {3, 0.6, 2},    // mostly selected
    };
    for (const Case& c : cases) {
        Component3D mesh;
        makeSoup(mesh, 60000, c.seed, c.selectedShare);
        mesh.setEmissionColor(1, 0, 0);
        mesh.setShowMode(c.showMode);
        const auto expected = draw(mesh, reference);
        // First frame from the arrays, the second compiles them, the third
        // replays what was compiled.
        for (int frame = 0; frame < 3; ++frame)
            EXPECT_TRUE(draw(mesh, arrays) == expected)
                << "seed " << c.seed << ", frame " << frame;
    }
}

TEST_F(MeshArraysRender, EmptyMeshesAndMeshesOfPointsOnlyDrawWhatTheyDidBefore)
{
    Component3D empty;
    EXPECT_TRUE(draw(empty, arrays) == draw(empty, reference));
    Component3D points;
    for (int i = 0; i < 50; ++i) {
        points.addPoint(new Point3D(-1 + i / 25.0, 0.5 - i / 50.0, 0));
        points.points.back()->selected = i % 3 == 0;
    }
    for (int mode : {0, 2}) {
        points.setShowMode(mode);
        const auto expected = draw(points, reference);
        for (int frame = 0; frame < 3; ++frame)
            EXPECT_TRUE(draw(points, arrays) == expected) << "mode " << mode << ", frame " << frame;
    }
}

TEST_F(MeshArraysRender, ANewEmissionColourShowsOnAnUnchangedMesh)
{
    Component3D mesh;
    makeSoup(mesh, 2000, 4, 0.1);
    mesh.setEmissionColor(1, 0, 0);
    for (int frame = 0; frame < 3; ++frame)
        draw(mesh, arrays);   // compiled in red
    mesh.setEmissionColor(0, 1, 0);
    const auto expected = draw(mesh, reference);
    EXPECT_TRUE(draw(mesh, arrays) == expected);
    EXPECT_TRUE(draw(mesh, arrays) == expected);
}

}  // namespace
