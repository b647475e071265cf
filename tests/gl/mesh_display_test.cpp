// The mesh as the pane draws it, rendered off-screen with the pane's light and
// view and judged by its pixels. Mesa's rounding moves a channel by a unit or
// two, so colours are judged by which channel dominates, not by exact values.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "gl/gl_mesh_painter.h"
#include "gl/pane_gl.h"
#include "mesh/component3d.h"
#include "scene3d/window_info.h"
#include "tests/gl/gl_context.h"

namespace {

using Rgb = std::array<int, 3>;

class MeshDisplay : public ::testing::Test {
protected:
    static constexpr int kSize = 200;   // pixels, square

    OffscreenView view{kSize, kSize};

    void SetUp() override
    {
        if (!view.ready())
            GTEST_SKIP() << "no off-screen OpenGL context could be made";
        installGlMeshPainter();
        SceneInit();
        setPaneProjection(kSize, kSize);
        setupPaneLighting();
        mesh.setEmissionColor(1, 0, 0);
    }

    Component3D mesh;

    Point3D* point(double x, double y, double z)
    {
        mesh.addPoint(new Point3D(x, y, z));
        return mesh.points.back().get();
    }
    void face(Point3D* a, Point3D* b, Point3D* c)
    {
        mesh.faces.push_back(std::make_unique<Triangle3D>(a, b, c));
    }

    std::vector<unsigned char> frame;   // RGB, OpenGL's bottom-up rows

    void draw()
    {
        mesh.refresh();
        beginPanePaint();
        mesh.show();
        endPanePaint();
        frame.assign(size_t(kSize) * kSize * 3, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    }
    // Pane pixel (x, y), y downwards.
    Rgb at(int x, int y)
    {
        const unsigned char* p = &frame[(size_t(kSize - 1 - y) * kSize + size_t(x)) * 3];
        return {p[0], p[1], p[2]};
    }
    Rgb atModel(double x, double y, double z)
    {
        double wx, wy, wz;
        WINDOW_INFO.getWindowPos(x, y, z, &wx, &wy, &wz);
        return at(int(wx), int(wy));
    }
    static bool redDominant(const Rgb& c) { return c[0] == 255 && c[2] < 20; }
    static bool blueDominant(const Rgb& c) { return c[2] == 255 && c[0] < 20; }
    // Pixels within 2 of the model point (x, y, 0) that pass the test.
    int pixelsAround(double x, double y, bool (*test)(const Rgb&))
    {
        double wx, wy, wz;
        WINDOW_INFO.getWindowPos(x, y, 0, &wx, &wy, &wz);
        int n = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                n += test(at(int(wx) + dx, int(wy) + dy));
        return n;
    }
    int litPixels()
    {
        int n = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                n += at(x, y) != Rgb{0, 0, 0};
        return n;
    }
};

TEST_F(MeshDisplay, AFaceWithOneSelectedCornerTakesTheSelectedColour)
{
    face(point(-0.8, -0.4, 0), point(-0.1, -0.4, 0), point(-0.45, 0.4, 0));
    face(point(0.1, -0.4, 0), point(0.8, -0.4, 0), point(0.45, 0.4, 0));
    mesh.points[1]->selected = 1;
    draw();
    // The model's y is mirrored on screen; both faces are symmetric enough.
    const Rgb selected = atModel(-0.45, 0, 0);
    const Rgb plain = atModel(0.45, 0, 0);
    EXPECT_EQ(selected[2], 255);
    EXPECT_LT(selected[0], 230);
    EXPECT_TRUE(redDominant(plain));
    EXPECT_EQ(at(2, 2), (Rgb{0, 0, 0}));
}

TEST_F(MeshDisplay, PointsAreTwoPixelDotsOnlyWhenAShowModeIsSet)
{
    point(-0.5, 0, 0);
    point(0.5, 0, 0)->selected = 1;
    draw();
    EXPECT_EQ(litPixels(), 0) << "mode 0 draws faces only, and there are none";

    mesh.setShowMode(2);
    draw();
    EXPECT_EQ(litPixels(), 8) << "two dots of 2 x 2 pixels";
    // Facing away from the light: only emission and ambient light them.
    EXPECT_EQ(pixelsAround(-0.5, 0, blueDominant), 4) << "the unselected point is blue";
    EXPECT_EQ(pixelsAround(0.5, 0, redDominant), 4) << "the selected point is red";
}

TEST_F(MeshDisplay, AFaceWhoseNormalHasNoZIsLitWithTheNegatedNormal)
{
    // Two upright faces; the light comes from +x, +y, +z. The right one's
    // normal is -x, so negated it faces the light; the left one's corner order
    // gives +x, negated it faces away.
    face(point(0.8, -0.5, -0.5), point(0.8, 0.5, -0.5), point(0.8, 0, 0.5));
    face(point(-0.8, 0.5, -0.5), point(-0.8, -0.5, -0.5), point(-0.8, 0, 0.5));
    draw();
    const Rgb right = atModel(0.8, 0, 0);
    const Rgb left = atModel(-0.8, 0, 0);
    EXPECT_EQ(right[0], 255);
    EXPECT_GT(right[1], 60) << "lit by the diffuse light";
    EXPECT_EQ(left[0], 255);
    EXPECT_LT(left[1], 20) << "emission and ambient light only";
}

}  // namespace
