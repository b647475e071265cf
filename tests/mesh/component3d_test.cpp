#include <gtest/gtest.h>

#include <cmath>

#include "mesh/component3d.h"
#include "mesh/mesh_painter.h"
#include "base/input_codes.h"
#include "tests/mesh/mesh_builders.h"

namespace {

using meshtest::addFace;
using meshtest::addPoints;

void expectAt(const Point3D* p, double x, double y, double z, double eps = 1e-12)
{
    EXPECT_NEAR(p->x, x, eps);
    EXPECT_NEAR(p->y, y, eps);
    EXPECT_NEAR(p->z, z, eps);
}

TEST(Component3D, RotateZTurnsPointsAboutTheCentre)
{
    Component3D mesh;
    addPoints(mesh, {{1, 0, 0}, {-1, 0, 0}});
    mesh.rotateZ(M_PI / 2);
    mesh.update();
    expectAt(mesh.points[0].get(), 0, -1, 0);
    expectAt(mesh.points[1].get(), 0, 1, 0);
    // The static copies are untouched until baked.
    expectAt(mesh.staticPoints[0].get(), 1, 0, 0);
    EXPECT_EQ(mesh.updatedCount, mesh.changeCount);
}

TEST(Component3D, TransformActsAboutTheBoxCentreAndAddsThePosition)
{
    Component3D mesh;
    addPoints(mesh, {{2, 0, 0}, {4, 2, 0}});
    mesh.rotateX(0.3);
    mesh.rotateY(-0.7);
    mesh.rotateX(-0.3);   // not undone by it: rotations do not commute
    mesh.initRotate();
    mesh.resizeX(2);
    mesh.setPosition(1, 1, 1);
    mesh.update();
    EXPECT_EQ(mesh.centerX, 3);
    EXPECT_EQ(mesh.centerY, 1);
    expectAt(mesh.points[0].get(), 2, 1, 1);
    expectAt(mesh.points[1].get(), 6, 3, 1);
    EXPECT_EQ(mesh.boundMin.x, 2);
    EXPECT_EQ(mesh.boundMax.x, 6);
    Point3D out;
    mesh.updatePoint(1, &out);   // no centre term
    expectAt(&out, 9, 3, 1);
    mesh.updateToStatic();
    expectAt(mesh.staticPoints[1].get(), 6, 3, 1);
    EXPECT_EQ(mesh.position.x, 0);
}

TEST(Component3D, ResizeClampsFactorsNearZero)
{
    Component3D mesh;
    mesh.resizeX(0);
    EXPECT_EQ(mesh.rotation[0][0], -0.01);
    mesh.initRotate();
    mesh.resizeY(0.005);
    EXPECT_EQ(mesh.rotation[1][1], 0.01);
    mesh.initRotate();
    mesh.resizeZ(-0.005);
    EXPECT_EQ(mesh.rotation[2][2], -0.01);
    mesh.initRotate();
    mesh.resizeZ(3);
    EXPECT_EQ(mesh.rotation[2][2], 3);
    EXPECT_EQ(mesh.rotation[2][0], 0);
}

TEST(Component3D, UpdateRunsOnlyWhenChanged)
{
    Component3D mesh;
    addPoints(mesh, {{1, 1, 1}});
    mesh.update();
    mesh.points[0]->set(9, 9, 9);   // a clean mesh is left alone
    mesh.update();
    EXPECT_EQ(mesh.points[0]->x, 9);
    mesh.refresh();
    mesh.update();
    EXPECT_EQ(mesh.points[0]->x, 1);

    Component3D empty;
    empty.centerX = 5;
    empty.refresh();
    empty.update();
    EXPECT_EQ(empty.centerX, 0);
}

TEST(Component3D, AnUntransformedMeshNeverDriftsFromItsStoredPoints)
{
    // Centres and coordinates whose difference rounds: (s - c) + c != s.
    Component3D mesh;
    addPoints(mesh, {{0.1, 0.7, -0.3}, {1.0 / 3, -0.9, 0.123456789}, {-0.77, 0.31, 0.9}});
    std::vector<Point3D> stored;
    for (const auto& p : mesh.staticPoints)
        stored.push_back(*p);
    for (int round = 0; round < 3; ++round) {
        mesh.refresh();
        mesh.update();
        mesh.updateToStatic();   // what every release in the editor does
    }
    for (size_t i = 0; i < stored.size(); ++i) {
        EXPECT_EQ(mesh.points[i]->x, stored[i].x);
        EXPECT_EQ(mesh.points[i]->y, stored[i].y);
        EXPECT_EQ(mesh.points[i]->z, stored[i].z);
        EXPECT_EQ(mesh.staticPoints[i]->z, stored[i].z);
    }
}

TEST(Component3D, SelectedPointsModeMovesOnlyTheSelectionAndWholeModeEverything)
{
    Component3D mesh;
    addPoints(mesh, {{0, 0, 0}, {2, 0, 0}, {4, 0, 0}});
    mesh.update();
    mesh.setUpdateMode(1);
    mesh.setPosition(0, 1, 0);
    mesh.update();   // nothing selected: nothing moves, centre zero
    for (const auto& p : mesh.points)
        EXPECT_EQ(p->y, 0);
    EXPECT_EQ(mesh.centerX, 0);

    mesh.points[1]->selected = 1;
    mesh.points[2]->selected = 1;
    mesh.rotateZ(M_PI);
    mesh.update();   // about the centre of the selection, x = 3
    expectAt(mesh.points[0].get(), 0, 0, 0);
    expectAt(mesh.points[1].get(), 4, 1, 0);
    expectAt(mesh.points[2].get(), 2, 1, 0);
    EXPECT_EQ(mesh.centerX, 3);
    EXPECT_EQ(mesh.boundMax.y, 0);   // the box is left as it was

    // What the editor asks for while Control is held.
    mesh.updateMode = 0;
    mesh.refresh();
    mesh.update();   // the whole mesh, about x = 2, and the box rebuilt
    expectAt(mesh.points[0].get(), 4, 1, 0);
    expectAt(mesh.points[2].get(), 0, 1, 0);
    EXPECT_NEAR(mesh.boundMax.y, 1, 1e-12);
}

TEST(Component3D, ChangingTheUpdateModeAppliesPendingChangesUnderTheOldMode)
{
    Component3D mesh;
    addPoints(mesh, {{0, 0, 0}, {1, 0, 0}});
    mesh.setPosition(0, 0, 5);
    mesh.setUpdateMode(1);   // whole mesh first
    EXPECT_EQ(mesh.points[0]->z, 5);
    EXPECT_EQ(mesh.points[1]->z, 5);
    EXPECT_EQ(mesh.getUpdateMode(), 1);
}

TEST(Component3D, UniformFitHalvesMirrorsAndCentres)
{
    Component3D mesh;
    addPoints(mesh, {{10, 20, 30}, {14, 22, 31}, {12, 21, 30.5}});
    const Point3D min(-1, 1, -1), max(1, -1, 1);
    mesh.refresh();
    mesh.setSize2(&min, &max);
    // Ratios (0.5, -1, 2): m = 0.5, factors (0.5, -0.5, 0.5).
    expectAt(mesh.staticPoints[0].get(), -1, 0.5, -0.25);
    expectAt(mesh.staticPoints[1].get(), 1, -0.5, 0.25);
    expectAt(mesh.points[2].get(), 0, 0, 0);
    EXPECT_EQ(mesh.boundMin.x, -1);
    EXPECT_EQ(mesh.boundMax.y, 0.5);
}

TEST(Component3D, FittingAFlatMeshUsesTheOtherAxes)
{
    Component3D mesh;
    addPoints(mesh, {{0, 0, 7}, {4, 1, 7}});
    const Point3D min(-1, -1, -1), max(1, 1, 1);
    mesh.refresh();
    mesh.setSize2(&min, &max);
    expectAt(mesh.points[0].get(), -1, -0.25, 0);
    expectAt(mesh.points[1].get(), 1, 0.25, 0);

    // Every axis tiny: the flat axis' 100 wins.
    Component3D tiny;
    addPoints(tiny, {{0, 0, 0}, {0.001, 0.001, 0}});
    tiny.refresh();
    tiny.setSize2(&min, &max);
    expectAt(tiny.points[1].get(), 0.05, 0.05, 0);

    Component3D none;   // nothing to fit, nothing breaks
    none.setSize2(&min, &max);
    EXPECT_TRUE(none.points.empty());
}

TEST(Component3D, PerAxisResizeKeepsTheLowestCoordinate)
{
    Component3D mesh;
    addPoints(mesh, {{1, 5, 3}, {3, 6, 3}});
    const Point3D min(0, 0, 0), max(4, 3, 9);
    mesh.setSize(&min, &max);
    expectAt(mesh.staticPoints[0].get(), 1, 5, 3);
    expectAt(mesh.staticPoints[1].get(), 5, 8, 3);
}

TEST(Component3D, PerAxisResizeMultipliesByTheNewExtentBeforeDividingByTheOld)
{
    // (p - lo) * (max - min) / extent, rounded in that order: scaling by the
    // quotient first comes out two units in the last place higher here.
    Component3D mesh;
    addPoints(mesh, {{0, 0, 0}, {0.1, 0, 0}, {3, 0, 0}});
    const Point3D min(0, 0, 0), max(2.9, 0, 0);
    mesh.setSize(&min, &max);
    EXPECT_EQ(mesh.staticPoints[1]->x, 0.09666666666666666);
    EXPECT_EQ(mesh.staticPoints[2]->x, 2.9);
}

TEST(Component3D, PointNormalPasses)
{
    Component3D mesh;
    addPoints(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    addFace(mesh, 0, 1, 2);   // normal (0, 0, -1), flipped to face +z
    addFace(mesh, 0, 1, 3);   // normal (0, 1, 0): edge-on
    mesh.updateNormal1();
    EXPECT_EQ(mesh.points[0]->nz, 1);
    EXPECT_EQ(mesh.points[3]->nz, 0);   // only edge-on faces: stays zero
    EXPECT_EQ(mesh.points[3]->ny, 0);

    mesh.updateNormal2();
    const double h = std::sqrt(0.5);
    EXPECT_NEAR(mesh.points[0]->ny, h, 1e-12);
    EXPECT_NEAR(mesh.points[0]->nz, h, 1e-12);
    EXPECT_EQ(mesh.points[2]->nz, 1);
    EXPECT_NEAR(mesh.points[3]->ny, 1, 1e-12);

    // The show mode picks the pass an update runs.
    mesh.setShowMode(8);
    mesh.points[2]->nz = 0;
    mesh.update();
    EXPECT_EQ(mesh.points[2]->nz, 1);
    EXPECT_EQ(mesh.getShowMode(), 8);
}

TEST(Component3D, CloneCopiesSelectionAndTopologyIndependently)
{
    Component3D mesh;
    addPoints(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}});
    addFace(mesh, 0, 1, 2);
    addFace(mesh, 1, 3, 2);
    mesh.points[3]->selected = 1;
    mesh.setPosition(5, 5, 5);
    std::unique_ptr<Component3D> copy(mesh.clone());
    ASSERT_EQ(copy->points.size(), 4u);
    ASSERT_EQ(copy->faces.size(), 2u);
    EXPECT_EQ(copy->points[3]->selected, 1);
    EXPECT_EQ(copy->faces[1]->p1, copy->points[1].get());
    EXPECT_EQ(copy->faces[1]->p3, copy->faces[0]->p3);
    EXPECT_EQ(copy->position.x, 0);
    copy->points[1]->x = 42;
    copy->staticPoints[1]->x = 42;
    EXPECT_EQ(mesh.points[1]->x, 1);
    EXPECT_EQ(mesh.staticPoints[1]->x, 1);
    for (const auto& f : copy->faces)
        for (const Point3D* c : {f->p1, f->p2, f->p3})
            EXPECT_NE(c, mesh.points[0].get());
    mesh.cloneTo(&mesh);   // onto itself: unchanged
    EXPECT_EQ(mesh.points.size(), 4u);
}

TEST(Component3D, ClearKeepsTheRotationAndMarksTheMeshChanged)
{
    Component3D mesh;
    addPoints(mesh, {{1, 2, 3}});
    mesh.resizeX(2);
    mesh.setPosition(1, 1, 1);
    const int before = mesh.changeCount;
    mesh.clear();
    EXPECT_TRUE(mesh.points.empty());
    EXPECT_TRUE(mesh.staticPoints.empty());
    EXPECT_EQ(mesh.rotation[0][0], 2);
    EXPECT_EQ(mesh.position.x, 0);
    EXPECT_GT(mesh.changeCount, before);

    Point3D p(1, 1, 1);
    mesh.setBounds(true, &p);
    Point3D q(-1, 3, 0);
    mesh.setBounds(false, &q);
    expectAt(&mesh.boundMin, -1, 1, 0);
    expectAt(&mesh.boundMax, 1, 3, 1);
}

// Records what a draw sees of the mesh's locks.
class LockWatchingPainter : public MeshPainter {
public:
    int draws = 0;
    bool lockedWhileDrawing = false;

    void vertex(const Point3D&) override {}
    void triangle(const Triangle3D&) override {}
    void rectangle(const Rectangle3D&) override {}
    void setEmission(const float*) override {}
    void drawMesh(const Component3D& mesh) override
    {
        ++draws;
        lockedWhileDrawing = mesh.operating && mesh.showing;
    }
    void drawMeshWire(const Component3D&) override {}
};

TEST(Component3D, ShowSkipsABusyMeshAndOperateLocks)
{
    LockWatchingPainter painter;
    setMeshPainter(&painter);
    Component3D mesh;
    addPoints(mesh, {{1, 1, 1}});
    mesh.setPosition(1, 0, 0);
    mesh.beginOperate();
    mesh.show();   // busy: not even the update runs
    EXPECT_EQ(mesh.points[0]->x, 1);
    EXPECT_EQ(painter.draws, 0);
    mesh.endOperate();
    mesh.show();
    EXPECT_EQ(mesh.points[0]->x, 2);
    EXPECT_EQ(painter.draws, 1);
    EXPECT_TRUE(painter.lockedWhileDrawing);
    EXPECT_EQ(mesh.operating, 0);
    EXPECT_EQ(mesh.showing, 0);
    setMeshPainter(nullptr);
    mesh.setEmissionColor(1, 0.5, 0);
    EXPECT_EQ(mesh.emission[1], 0.5f);
    EXPECT_EQ(mesh.emission[3], 0.1f);
}

}  // namespace
