#include <gtest/gtest.h>

#include "mesh/component3d.h"
#include "tests/gl/gl_context.h"
#include "scene3d/window_info.h"

namespace {

// A square of two faces from (-0.5, -0.5) to (0.5, 0.5) in the plane z = 0.
void makeSquare(Component3D& mesh)
{
    const double c[4][2] = {{-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}};
    for (const auto& p : c)
        mesh.addPoint(new Point3D(p[0], p[1], 0));
    auto* p = &mesh.points;
    mesh.faces.push_back(std::make_unique<Triangle3D>((*p)[0].get(), (*p)[1].get(), (*p)[2].get()));
    mesh.faces.push_back(std::make_unique<Triangle3D>((*p)[0].get(), (*p)[2].get(), (*p)[3].get()));
    mesh.refresh();
    mesh.update();
}

TEST(MeshHitTest, PixelsOverTheMeshBoxHitAndOthersMiss)
{
    OffscreenView view(200, 120);
    if (!view.ready())
        GTEST_SKIP() << "no off-screen OpenGL context could be made";
    Component3D mesh;
    makeSquare(mesh);
    double wx, wy, wz;
    WINDOW_INFO.getWindowPos(0.25, 0.25, 0, &wx, &wy, &wz);
    // Nothing drawn: the projected box decides.
    EXPECT_TRUE(mesh.isPointIn(100, 60));
    EXPECT_TRUE(mesh.isPointIn(wx, wy));
    EXPECT_FALSE(mesh.isPointIn(2, 2));
    EXPECT_FALSE(mesh.isPointIn(199, 119));
    // Outside the view the depth is not read at all.
    EXPECT_FALSE(mesh.isPointIn(-50, 500));

    // Drawn, the depth under the pixel unprojects onto the face.
    view.drawSquare(-0.5, -0.5, 0.5, 0.5, 0);
    EXPECT_TRUE(mesh.isPointIn(100, 60));
    EXPECT_FALSE(mesh.isPointIn(2, 2));
}

}  // namespace
