// The 3D pane against a real off-screen OpenGL context and a native window
// that records what the pane asks of it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "editor/pane3d.h"
#include "gl/gl_pane_renderer.h"
#include "scene3d/window_info.h"
#include "tests/gl/gl_context.h"
#include "tests/toolkit/fake_window_system.h"

namespace {

struct Place {
    int x, y, w, h;
    bool operator==(const Place& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

ovek::GlPaneRenderer renderer;

class RecordingPane : public ovek::NativePane3D {
public:
    std::vector<Place> places;
    int swaps = 0;

    void makeCurrent() override {}
    void place(int x, int y, int w, int h) override { places.push_back({x, y, w, h}); }
    void swapBuffers() override { ++swaps; }
};

// A 3D object that logs the records it gets and what it finds while drawn.
class LoggingObject : public Event3D {
public:
    LoggingObject(std::string n, std::vector<std::string>& log) : name(std::move(n)), log_(log) {}

    std::string name;

    void fireMouseEvent(int x, int y, int button, int type) override
    {
        log_.push_back(name + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                       std::to_string(button) + " " + std::to_string(type));
    }
    void show() override
    {
        log_.push_back(name + " shown, lighting " + (glIsEnabled(GL_LIGHTING) ? "on" : "off"));
        glTranslated(0, 0, 5);   // the pane must undo this
    }

private:
    std::vector<std::string>& log_;
};

class Pane3DTest : public ::testing::Test {
protected:
    OffscreenView view{900, 600};
    RecordingPane native;

    void SetUp() override
    {
        if (!view.ready())
            GTEST_SKIP() << "no off-screen OpenGL context could be made";
    }
    void TearDown() override { ovek::MYPLAT.reset(); }
};

TEST_F(Pane3DTest, OnlyANewSizeMovesTheWindowAndSetsTheView)
{
    ovek::Pane3D pane(&native, renderer, 861, 490);
    ASSERT_EQ(native.places, (std::vector<Place>{{0, 0, 861, 490}}));
    pane.setBounds(0, 38, 861, 490);
    EXPECT_EQ(native.places.size(), 1u) << "a move alone leaves the window";
    EXPECT_EQ(pane.getTop(), 38);

    pane.setBounds(0, 38, 900, 516);
    EXPECT_EQ(native.places.back(), (Place{0, 38, 900, 516}));
    WINDOW_INFO.updateMatrix();
    EXPECT_EQ(WINDOW_INFO.viewport[2], 900);
    EXPECT_EQ(WINDOW_INFO.viewport[3], 516);
    // gluPerspective puts f / aspect and f on the diagonal.
    EXPECT_NEAR(WINDOW_INFO.projection[5] / WINDOW_INFO.projection[0], 900.0 / 516.0, 1e-6);   // OpenGL keeps floats
    EXPECT_NEAR(WINDOW_INFO.projection[5], std::sqrt(3.0), 1e-6);   // 1 / tan(30 degrees)
    EXPECT_FLOAT_EQ(WINDOW_INFO.modelview[14], -3.6f);
    EXPECT_EQ(WINDOW_INFO.getTransX(0), -1.0);
    EXPECT_EQ(WINDOW_INFO.getTransY(258), 0.0);

    // No usable height: the window goes, the last view stays, nothing is drawn.
    pane.setBounds(0, 38, 900, 0);
    EXPECT_EQ(native.places.back(), (Place{0, 38, 900, 0}));
    WINDOW_INFO.updateMatrix();
    EXPECT_EQ(WINDOW_INFO.viewport[3], 516);
    EXPECT_EQ(WINDOW_INFO.transScaleY, 516);
    pane.paint(nullptr);
    EXPECT_EQ(native.swaps, 0);
    pane.setBounds(0, 38, 900, -40);
    pane.paint(nullptr);
    EXPECT_EQ(native.swaps, 0);
    pane.setBounds(0, 38, 900, 516);
    pane.paint(nullptr);
    EXPECT_EQ(native.swaps, 1);
}

TEST_F(Pane3DTest, PaintDrawsTheScenesInOrderLitAndLeavesTheMatrix)
{
    ovek::Pane3D pane(&native, renderer, 300, 200);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    pane.paint(nullptr);
    unsigned char corner[3] = {9, 9, 9};
    glReadPixels(0, 0, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, corner);
    EXPECT_EQ(corner[0] + corner[1] + corner[2], 0) << "no scenes: a cleared black frame";
    EXPECT_EQ(native.swaps, 1);

    std::vector<std::string> log;
    LoggingObject a("a", log), b("b", log), c("c", log);
    Sence3D first, second;
    first.addEvent(&a);
    first.addEvent(&b);
    second.addEvent(&c);
    pane.addSence(&first);
    pane.addSence(&second);
    pane.paint(nullptr);
    pane.paint(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"a shown, lighting on", "b shown, lighting on",
                                             "c shown, lighting on", "a shown, lighting on",
                                             "b shown, lighting on", "c shown, lighting on"}));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    WINDOW_INFO.updateMatrix();
    EXPECT_FLOAT_EQ(WINDOW_INFO.modelview[14], -3.6f);
}

TEST_F(Pane3DTest, EveryRecordReachesEveryObjectButAHiddenPaneDropsThoseInside)
{
    ovek::Pane3D pane(&native, renderer, 300, 200);
    std::vector<std::string> log;
    LoggingObject a("a", log), b("b", log);
    Sence3D first, second;
    first.addEvent(&a);
    second.addEvent(&b);
    pane.addSence(&first);
    pane.addSence(&second);

    EXPECT_TRUE(pane.fireMouseEvent(10, 20, ovek::MOUSE_BUTTON1, ovek::MOUSE_DOWN));
    EXPECT_FALSE(pane.fireMouseEvent(-5, 400, ovek::MOUSE_BUTTON3, ovek::MOUSE_UP));
    EXPECT_EQ(log, (std::vector<std::string>{"a 10,20 0 0", "b 10,20 0 0", "a -5,400 2 1",
                                             "b -5,400 2 1"}));
    log.clear();
    pane.setVisible(false);
    EXPECT_FALSE(pane.fireMouseEvent(10, 20, ovek::MOUSE_BUTTON1, ovek::MOUSE_MOVE));
    EXPECT_FALSE(pane.fireMouseEvent(310, 20, ovek::MOUSE_BUTTON1, -1));
    EXPECT_EQ(log, (std::vector<std::string>{"a 310,20 0 -1", "b 310,20 0 -1"}));
}

TEST_F(Pane3DTest, CreatedPaneSitsWhereAskedAndKeepsTheBackBufferOff)
{
    class PaneMaker : public faketk::FakeWindowSystem {
    public:
        RecordingPane* next = nullptr;
        ovek::NativePane3D* createPane3D(int, int, int, int) override { return next; }
    } windows;
    ovek::MYPLAT.init(&windows, 866, 592);
    EXPECT_EQ(ovek::createPane3D(0, 38, 861, 490, renderer), nullptr);

    windows.next = &native;
    ovek::Pane3D* pane = ovek::createPane3D(0, 38, 861, 490, renderer);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(native.places.back(), (Place{0, 38, 861, 490}));
    EXPECT_EQ(pane->getTop(), 38);
    EXPECT_EQ(ovek::MYPLAT.emptyComponents, (std::vector<ovek::Component*>{pane}));
    EXPECT_EQ(pane->getParent(), nullptr);
    delete pane;
}

}  // namespace
