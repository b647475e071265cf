#include <gtest/gtest.h>

#include "engine/triangle_model.h"
#include "mesh/component3d.h"
#include "tests/mesh/mesh_builders.h"

namespace {

using meshtest::addFace;
using meshtest::addPoints;

void expectCorner(const Point3DModel* p, double x, double y, double z)
{
    EXPECT_NEAR(p->x, x, 1e-9);
    EXPECT_NEAR(p->y, y, 1e-9);
    EXPECT_NEAR(p->z, z, 1e-9);
}

TEST(ToFacesModel, FixedScaleFlipsYAndDepthStartsAtTheBoxFloor)
{
    Component3D mesh;
    addPoints(mesh, {{1, 1, -1}, {0, 0, 1}, {0.5, -0.5, -2}});
    addFace(mesh, 0, 1, 2);
    addFace(mesh, 2, 1, 0);   // shares every corner with the first
    FacesModel faces;
    mesh.toFacesModel(&faces, 100);
    ASSERT_EQ(faces.size(), 2);
    const TriangleModel* t = faces.get(0);
    expectCorner(t->p0, 100, -100, 20);
    expectCorner(t->p1, 0, 0, 20 + 200.0 / 3);
    expectCorner(t->p2, 50, 50, 20 - 100.0 / 3);   // below the floor: depth below 20
    // Shared mesh points become distinct, equal engine corners.
    const TriangleModel* u = faces.get(1);
    EXPECT_NE(u->p2, t->p0);
    expectCorner(u->p2, 100, -100, 20);
}

TEST(ToFacesModel, FittedConversionCentresAndUsesTheTightestRatio)
{
    Component3D mesh;
    addPoints(mesh, {{2, 4, 1}, {6, 6, 1}, {4, 5, 3}});
    addFace(mesh, 0, 1, 2);
    FacesModel faces;
    // Ratios 200 / 4, 300 / 2, 90 / 2: m = 45.
    mesh.toFacesModel(&faces, 200, 300, 90);
    ASSERT_EQ(faces.size(), 1);
    expectCorner(faces.get(0)->p0, -90, 45, 20);
    expectCorner(faces.get(0)->p1, 90, -45, 20);
    expectCorner(faces.get(0)->p2, 0, 0, 20 + 30);
}

TEST(ToFacesModel, EmptyMeshClearsTheTarget)
{
    Component3D filled;
    addPoints(filled, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    addFace(filled, 0, 1, 2);
    FacesModel faces;
    filled.toFacesModel(&faces, 10);
    ASSERT_EQ(faces.size(), 1);
    Component3D empty;
    empty.toFacesModel(&faces, 10);
    EXPECT_EQ(faces.size(), 0);
    filled.toFacesModel(&faces, 10);
    empty.toFacesModel(&faces, 1, 1, 1);
    EXPECT_EQ(faces.size(), 0);
}

}  // namespace
