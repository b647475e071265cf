// Mouse editing and the overlay against a real (off-screen) OpenGL view of
// the pane's size: 860 x 490, so that the model origin lies exactly on the
// pixel (430, 245).
#include <gtest/gtest.h>

#include <cmath>

#include "base/input_codes.h"
#include "editor/swept_angle.h"
#include "gl/gl_pane_renderer.h"
#include "tests/editor/editor_fixture.h"
#include "tests/gl/gl_context.h"
#include "scene3d/window_info.h"

namespace {

using edittest::selectedCount;
using edittest::selectOnly;
using ovek::ModelEdit;

constexpr int kW = 860;
constexpr int kH = 490;
constexpr int kAlt = ovek::kKeyAlt;
constexpr int kCtrl = ovek::kKeyControl;
constexpr int kShift = ovek::kKeyShift;

struct Pixel {
    double x, y;
};

Pixel windowPos(const Point3D& p)
{
    double wx, wy, wz;
    WINDOW_INFO.getWindowPos(p.x, p.y, p.z, &wx, &wy, &wz);
    return {wx, wy};
}

class GlEditorTest : public edittest::EditorTest {
protected:
    void SetUp() override
    {
        if (!view.ready())
            GTEST_SKIP() << "no off-screen OpenGL context could be made";
        EditorTest::SetUp();
        pane.setBounds(0, 38, kW, kH);
    }
    void TearDown() override
    {
        EditorTest::TearDown();
        WINDOW_INFO.backend = nullptr;
    }

    // A point of the mesh placed on window pixel (x, y) at the origin's depth.
    void addPointAt(int x, int y)
    {
        double wx, wy, wz, px, py, pz;
        WINDOW_INFO.getWindowPos(0, 0, 0, &wx, &wy, &wz);
        WINDOW_INFO.getRealPos(x, y, wz, &px, &py, &pz);
        mesh.addPoint(new Point3D(px, py, pz));
    }

    // A drag from (x0, y0) to (x1, y1) in one record, then the release there.
    void dragAndRelease(int x0, int y0, int x1, int y1, int button = ovek::MOUSE_BUTTON1)
    {
        mods.leftButton = button == ovek::MOUSE_BUTTON1;
        edit.mouseDrag(x1, y1, x1 - x0, y1 - y0, x1 - x0, y1 - y0, &pane, mods);
        mods.leftButton = false;
        edit.mouseUp(x1, y1, button, &pane, x1 - x0, y1 - y0, x1 != x0 || y1 != y0, mods);
    }

    // RGB of the window pixel (x, y), top-down, 0xRRGGBB.
    uint32_t pixel(int x, int y)
    {
        unsigned char rgba[4] = {};
        glReadPixels(x, kH - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
    }
    // Whether a pixel within one of (x, y) has the colour: lines on pixel
    // borders may land on either side.
    bool colourNear(int x, int y, uint32_t rgb)
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (pixel(x + dx, y + dy) == rgb)
                    return true;
        return false;
    }

    OffscreenView view{kW, kH};
    ovek::GlPaneRenderer renderer;
};

TEST_F(GlEditorTest, HoveringPicksTheHandleUnderThePointer)
{
    meshtest::addPoints(mesh, {{-0.5, -0.5, -0.5}, {0.5, 0.5, 0.5}});
    init();
    mesh.update();   // as a draw would: the pivot is the box's middle, the origin
    const Pixel pivot = windowPos(Point3D(0, 0, 0));
    ASSERT_EQ(pivot.x, 430);
    ASSERT_EQ(pivot.y, 245);
    struct Case {
        int tool, dx, dy, axis;
    } cases[] = {
        {ModelEdit::TOOL_ROTATE, 100, 0, 2},   // outside the circle: the view axis
        {ModelEdit::TOOL_ROTATE, 50, 0, 1},    // about y
        {ModelEdit::TOOL_ROTATE, 0, -50, 0},   // about x
        {ModelEdit::TOOL_ROTATE, 30, 30, 0},   // equal offsets: x
        {ModelEdit::TOOL_ROTATE, 0, 81, 2},
        {ModelEdit::TOOL_MOVE, 20, -40, 1},    // up more than right: y
        {ModelEdit::TOOL_MOVE, 30, -30, 0},    // on the diagonal: x
        {ModelEdit::TOOL_MOVE, 10, 10, 0},
        {ModelEdit::TOOL_RESIZE, -10, 10, 2},  // left of and below the pivot: z
        {ModelEdit::TOOL_RESIZE, -10, 0, 1},
        {ModelEdit::TOOL_INSERT_BOX, 10, 10, -1},   // nothing picked
    };
    for (const Case& c : cases) {
        edit.setModelEditState(c.tool);
        edit.rotateAxis = edit.moveAxis = -1;
        edit.mouseMove(430 + c.dx, 245 + c.dy, &pane, mods);
        const int picked = c.tool == ModelEdit::TOOL_ROTATE ? edit.rotateAxis : edit.moveAxis;
        EXPECT_EQ(picked, c.axis) << "tool " << c.tool << " at " << c.dx << "," << c.dy;
    }
}

TEST_F(GlEditorTest, DragsTurnMoveAndStretchByTheStatedAmountsAndTheReleaseBakesThem)
{
    // Flat in the origin's depth plane, where a move follows the pointer exactly.
    meshtest::addPoints(mesh, {{-0.5, -0.5, 0}, {0.5, 0.5, 0}});
    init();
    mesh.update();
    struct Case {
        const char* what;
        int tool, axis;
        int x0, y0, x1, y1;
        double r00, r11, r01;    // rotation afterwards (row 0 col 0, row 1 col 1, row 0 col 1)
        double tx, ty;           // the position's window offset from the origin's
    } cases[] = {
        {"y, 20 px right: one radian", 1, 1, 400, 200, 420, 200, std::cos(1.0), 1, 0, 0, 0},
        {"x, 20 px up: one radian", 1, 0, 400, 200, 400, 180, 1, std::cos(1.0), 0, 0, 0},
        {"view axis, a quarter turn", 1, 2, 530, 245, 430, 345, 0, 0, 1, 0, 0},
        {"move x", 2, 0, 400, 200, 410, 230, 1, 1, 0, 10, 0},
        {"move y", 2, 1, 400, 200, 410, 230, 1, 1, 0, 0, 30},
        {"stretch x 200 px left: clamped", 3, 0, 400, 200, 200, 200, -0.01, 1, 0, 0, 0},
        {"stretch y 100 px up", 3, 1, 400, 200, 400, 100, 1, 1.5, 0, 0, 0},
        {"stretch z: x untouched", 3, 2, 400, 200, 500, 200, 1, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        edit.setModelEditState(c.tool);
        edit.rotateAxis = edit.moveAxis = c.axis;
        mods.leftButton = true;
        edit.mouseDrag(c.x1, c.y1, c.x1 - c.x0, c.y1 - c.y0, c.x1 - c.x0, c.y1 - c.y0, &pane, mods);
        EXPECT_NEAR(mesh.rotation[0][0], c.r00, 1e-12) << c.what;
        EXPECT_NEAR(mesh.rotation[1][1], c.r11, 1e-12) << c.what;
        EXPECT_NEAR(mesh.rotation[0][1], c.r01, 1e-12) << c.what;
        const Pixel t = windowPos(mesh.position);
        EXPECT_NEAR(t.x - 430, c.tx, 1e-6) << c.what;
        EXPECT_NEAR(t.y - 245, c.ty, 1e-6) << c.what;
        mesh.initRotate();
        mesh.position.set(0, 0, 0);
    }
    // Moving in depth: right or up pushes away.
    edit.setModelEditState(ModelEdit::TOOL_MOVE);
    edit.moveAxis = 2;
    edit.mouseDrag(410, 190, 10, -10, 10, -10, &pane, mods);
    double wx, wy, wz0, wz;
    WINDOW_INFO.getWindowPos(0, 0, 0, &wx, &wy, &wz0);
    WINDOW_INFO.getWindowPos(mesh.position.x, mesh.position.y, mesh.position.z, &wx, &wy, &wz);
    EXPECT_NEAR(wz - wz0, 0.1, 1e-9);
    EXPECT_LT(mesh.position.z, 0);
    mesh.position.set(0, 0, 0);
    // Without the left button only the update mode changes.
    mods.leftButton = false;
    edit.mouseDrag(500, 200, 100, 0, 100, 0, &pane, mods);
    EXPECT_EQ(mesh.position.x, 0);

    // The release bakes a move of the whole mesh (view mode) and records it.
    edit.moveAxis = 0;
    const int before = edit.history.historyCurrent;
    dragAndRelease(430, 245, 530, 245);
    EXPECT_EQ(edit.history.historyCurrent, before + 1);
    EXPECT_EQ(mesh.position.x, 0);
    EXPECT_EQ(mesh.rotation[0][0], 1);
    mesh.update();
    EXPECT_NEAR(windowPos(*mesh.staticPoints[0]).x - windowPos(Point3D(-0.5, -0.5, 0)).x, 100, 1e-6);
    EXPECT_NEAR(mesh.staticPoints[0]->y, -0.5, 1e-12);
}

TEST_F(GlEditorTest, RectangleSelectsTheVisiblePointsInsideInEitherDirection)
{
    addPointAt(300, 200);   // 0
    addPointAt(400, 200);   // 1
    addPointAt(300, 300);   // 2
    mesh.addPoint(new Point3D(0, 0, 0));   // 3: exactly on the pixel (430, 245)
    addPointAt(600, 300);   // 4: hidden behind a face in front of it
    init();
    edit.setModelState(ModelEdit::MODEL_EDIT);
    edit.setModelEditState(ModelEdit::TOOL_SELECT);
    view.drawSquare(0.8, -0.8, 1.6, -0.3, 1.0);   // covers point 4 only
    ASSERT_FALSE(WINDOW_INFO.isVisible(mesh.points[4]->x, mesh.points[4]->y, mesh.points[4]->z));

    struct Case {
        const char* what;
        std::initializer_list<int> held;
        std::initializer_list<size_t> before;
        int x0, y0, x1, y1;
        std::vector<bool> after;
    } cases[] = {
        {"down right", {}, {2}, 290, 190, 410, 210, {1, 1, 0, 0, 0}},
        {"up left", {}, {2}, 410, 210, 290, 190, {1, 1, 0, 0, 0}},
        {"a click without motion", {}, {0, 1, 2}, 300, 200, 300, 200, {0, 0, 0, 0, 0}},
        {"release on the point, press beyond it", {}, {}, 440, 255, 430, 245, {0, 0, 0, 1, 0}},
        {"release on the point, press before it", {}, {}, 420, 235, 430, 245, {0, 0, 0, 0, 0}},
        {"press on the point, release beyond it", {}, {}, 430, 245, 440, 255, {0, 0, 0, 1, 0}},
        {"press on the point, release before it", {}, {}, 430, 245, 420, 235, {0, 0, 0, 0, 0}},
        {"hidden points are never hit", {}, {}, 0, 0, 859, 489, {1, 1, 1, 1, 0}},
        {"hidden and outside: cleared", {}, {4}, 0, 0, 859, 489, {1, 1, 1, 1, 0}},
        {"shift adds", {kShift}, {0}, 290, 290, 310, 310, {1, 0, 1, 0, 0}},
        {"ctrl removes", {kCtrl}, {0, 1, 2}, 290, 190, 410, 210, {0, 0, 1, 0, 0}},
        {"ctrl keeps hidden ones", {kCtrl}, {4}, 0, 0, 859, 489, {0, 0, 0, 0, 1}},
        {"alt with another tool", {kAlt}, {}, 290, 190, 410, 210, {1, 1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        selectOnly(mesh, c.before);
        hold(c.held);
        if (c.held.size() && *c.held.begin() == kAlt)
            edit.setModelEditState(ModelEdit::TOOL_MOVE);
        dragAndRelease(c.x0, c.y0, c.x1, c.y1);
        std::vector<bool> now;
        for (const auto& p : mesh.points)
            now.push_back(p->selected);
        EXPECT_EQ(now, c.after) << c.what;
        EXPECT_FALSE(edit.dragRectShown) << c.what;
        edit.setModelEditState(ModelEdit::TOOL_SELECT);
    }

    // In view mode an Alt drag shows the rectangle, and its release selects nothing.
    edit.setModelState(ModelEdit::MODEL_VIEW);
    edit.setModelEditState(ModelEdit::TOOL_ROTATE);
    selectOnly(mesh, {1});
    hold({kAlt});
    edit.mouseDrag(410, 210, 120, 20, 120, 20, &pane, mods);
    EXPECT_TRUE(edit.dragRectShown);
    EXPECT_EQ(edit.dragRectPressX, 290);
    edit.mouseUp(410, 210, ovek::MOUSE_BUTTON1, &pane, 120, 20, true, mods);
    EXPECT_FALSE(edit.dragRectShown);
    EXPECT_EQ(selectedCount(mesh), 1);
}

TEST_F(GlEditorTest, RightClickSelectsTheNearestVisiblePointWithoutTurning)
{
    addPointAt(300, 200);   // 0
    addPointAt(320, 200);   // 1
    addPointAt(600, 300);   // 2: hidden
    addPointAt(320, 200);   // 3: as near as 1, later
    init();
    edit.setModelState(ModelEdit::MODEL_EDIT);   // with the rotate tool
    view.drawSquare(0.8, -0.8, 1.6, -0.3, 1.0);
    struct Case {
        const char* what;
        std::initializer_list<int> held;
        std::initializer_list<size_t> before;
        int x, y;
        std::vector<bool> after;
    } cases[] = {
        {"nearest replaces", {}, {0}, 318, 203, {0, 1, 0, 0}},
        {"shift adds", {kShift}, {2}, 302, 199, {1, 0, 1, 0}},
        {"ctrl removes", {kCtrl}, {0, 1, 3}, 321, 200, {1, 0, 0, 1}},
        {"the hidden one is skipped", {}, {}, 600, 300, {0, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        selectOnly(mesh, c.before);
        hold(c.held);
        dragAndRelease(c.x, c.y, c.x, c.y, ovek::MOUSE_BUTTON3);
        std::vector<bool> now;
        for (const auto& p : mesh.points)
            now.push_back(p->selected);
        EXPECT_EQ(now, c.after) << c.what;
    }
    // A right drag turns nothing.
    EXPECT_EQ(mesh.rotation[0][0], 1);
    dragAndRelease(300, 200, 360, 200, ovek::MOUSE_BUTTON3);
    EXPECT_EQ(mesh.rotation[0][0], 1);
    EXPECT_EQ(mesh.points[0]->x, mesh.staticPoints[0]->x);
}

TEST_F(GlEditorTest, ABoxInsertedByAReleaseSitsUnderThePointerAndTakesTwoUndos)
{
    meshtest::addPoints(mesh, {{0.5, 0.5, 0}});
    init();
    edit.setModelEditState(ModelEdit::TOOL_INSERT_BOX);
    const int before = edit.history.historyCurrent;
    dragAndRelease(500, 300, 500, 300);
    EXPECT_EQ(edit.history.historyCurrent, before + 2);
    ASSERT_EQ(mesh.points.size(), 9u);
    EXPECT_EQ(edit.modelState, ModelEdit::MODEL_EDIT);
    EXPECT_EQ(edit.modelEditState, ModelEdit::TOOL_MOVE);
    // The box's middle is under the pointer, in the origin's depth plane.
    const Point3D& p0 = *mesh.points[1];
    const Point3D& p7 = *mesh.points[8];
    const Point3D middle((p0.x + p7.x) / 2, (p0.y + p7.y) / 2, (p0.z + p7.z) / 2);
    EXPECT_NEAR(windowPos(middle).x, 500, 1e-6);
    EXPECT_NEAR(windowPos(middle).y, 300, 1e-6);
    EXPECT_NEAR(middle.z, 0, 1e-9);
    EXPECT_NEAR(p7.x - p0.x, 0.6, 1e-12);

    edit.doCommand(ModelEdit::COMMAND_UNDO);   // the release's snapshot: no change
    EXPECT_EQ(mesh.points.size(), 9u);
    edit.doCommand(ModelEdit::COMMAND_UNDO);
    EXPECT_EQ(mesh.points.size(), 1u);
}

TEST_F(GlEditorTest, OverlayDrawsTheHandlesWithThePickedOneYellowAndRestoresTheState)
{
    meshtest::addPoints(mesh, {{-0.5, -0.5, -0.5}, {0.5, 0.5, 0.5}});
    init();
    mesh.update();
    constexpr uint32_t kYellow = 0xffff00, kRed = 0xff0000, kGreen = 0x00ff00, kBlue = 0x0000ff;
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);

    edit.overlayDrawer = &renderer;
    edit.setModelEditState(ModelEdit::TOOL_MOVE);
    edit.moveAxis = 1;
    edit.setModelState(ModelEdit::MODEL_EDIT);
    const int changes = mesh.changeCount, mode = mesh.updateMode;
    scene.display();   // the after-display hook draws the overlay
    // Drawing reads the mesh and leaves it alone.
    EXPECT_EQ(mesh.changeCount, changes);
    EXPECT_EQ(mesh.updateMode, mode);
    edit.setModelState(ModelEdit::MODEL_VIEW);
    EXPECT_TRUE(colourNear(430 + 25, 245, kBlue));     // x handle, 50 px right
    EXPECT_TRUE(colourNear(430, 245 - 25, kYellow));   // y handle, picked
    EXPECT_TRUE(colourNear(430 - 15, 245 + 15, kRed)); // z handle, left and down
    EXPECT_FALSE(colourNear(430 + 60, 245, kBlue));    // the handles end at 50 px
    // Every state the overlay changed is back.
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);

    view.clear();
    edit.setModelEditState(ModelEdit::TOOL_ROTATE);
    edit.rotateAxis = 2;
    edit.afterModelShow();
    EXPECT_TRUE(colourNear(430 + 40, 245, kGreen));   // horizontal bar
    EXPECT_TRUE(colourNear(430, 245 - 40, kBlue));    // vertical bar
    EXPECT_TRUE(colourNear(430 - 80, 245, kYellow));  // the circle, picked
    EXPECT_FALSE(colourNear(430 + 60, 245 + 60, kYellow));

    // The selection rectangle: a translucent blue fill with a solid outline.
    view.clear();
    edit.setModelEditState(ModelEdit::TOOL_INSERT_POINT);
    edit.dragRectShown = true;
    edit.dragRectPressX = 100;
    edit.dragRectPressY = 100;
    edit.dragRectX = 200;
    edit.dragRectY = 150;
    edit.afterModelShow();
    const uint32_t fill = pixel(150, 125);
    EXPECT_EQ(fill >> 8, 0u);
    EXPECT_NEAR(int(fill & 255), 128, 2);
    EXPECT_TRUE(colourNear(150, 100, kBlue));
    EXPECT_EQ(pixel(250, 125), 0u);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST(SweptAngle, ARightAngleWhoseSineRoundsPastOneGivesAQuarterTurnNotNaN)
{
    // These two offsets are at a right angle; in doubles the quotient of the
    // cross product and the lengths comes out at -1.0000000000000002.
    const double a = ovek::sweptAngle(21.14145368390099, -67.19413814095145, 13.772756569041437,
                                      4.333355604520738);
    EXPECT_DOUBLE_EQ(a, -M_PI / 2);
    EXPECT_DOUBLE_EQ(ovek::sweptAngle(10, 0, 0, 10), -M_PI / 2);
    EXPECT_DOUBLE_EQ(ovek::sweptAngle(0, 10, 10, 0), M_PI / 2);
    EXPECT_EQ(ovek::sweptAngle(0.5, 0, 10, 0), 0);   // at the pivot: no turn
}

TEST_F(GlEditorTest, PushingInDepthStopsBeforeTheFarPlaneAndTheReleaseBakesFiniteGeometry)
{
    meshtest::addPoints(mesh, {{-0.5, -0.5, 0}, {0.5, 0.5, 0}});
    init();
    edit.setModelEditState(ModelEdit::TOOL_MOVE);
    edit.moveAxis = 2;
    mods.leftButton = true;
    // 300 pixels up and right in steps of 10: far past the far plane unclamped.
    double lastDepth = 0;
    for (int i = 1; i <= 30; ++i) {
        edit.mouseDrag(430 + 5 * i, 245 - 5 * i, 5 * i, -5 * i, 5, -5, &pane, mods);
        ASSERT_TRUE(std::isfinite(mesh.position.z)) << "step " << i;
        const Pixel p = windowPos(mesh.position);
        double wx, wy, wz;
        WINDOW_INFO.getWindowPos(mesh.position.x, mesh.position.y, mesh.position.z, &wx, &wy, &wz);
        EXPECT_NEAR(p.x, 430, 1e-3);
        EXPECT_LT(wz, 1.0) << "step " << i;
        EXPECT_GE(wz, lastDepth - 1e-9) << "pushing never pulls back";
        lastDepth = wz;
    }
    mods.leftButton = false;
    edit.mouseUp(580, 95, ovek::MOUSE_BUTTON1, &pane, 150, -150, true, mods);
    for (const auto& p : mesh.staticPoints) {
        EXPECT_TRUE(std::isfinite(p->x) && std::isfinite(p->y) && std::isfinite(p->z));
        EXPECT_LT(std::fabs(p->z), 100);   // inside the view volume, 30 units deep
    }
}

}  // namespace
