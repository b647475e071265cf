#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene3d/event3d.h"
#include "scene3d/sence3d.h"
#include "scene3d/window_info.h"

namespace {

constexpr int kDown = 0;
constexpr int kUp = 1;
constexpr int kMove = 2;

std::vector<std::string> events;

// A 3D object that is "inside" over the pane rectangle 10..20 x 10..20.
class Box : public Event3D {
public:
    bool isPointIn(double x, double y) override { return x >= 10 && x <= 20 && y >= 10 && y <= 20; }
    void show() override { events.push_back("show"); }
};

void onEnter(int x, int y, Event3D*) { events.push_back("enter " + std::to_string(x) + "," + std::to_string(y)); }
void onExit(int, int, Event3D*) { events.push_back("exit"); }
void onDown(int, int, int button, Event3D*) { events.push_back("down " + std::to_string(button)); }
void onDrag(int, int, int dxp, int dyp, int dxl, int dyl, Event3D*)
{
    events.push_back("drag " + std::to_string(dxp) + "," + std::to_string(dyp) + " " +
                     std::to_string(dxl) + "," + std::to_string(dyl));
}
void onUp(int, int, int, Event3D*, int dx, int dy, bool dragged)
{
    events.push_back("up " + std::to_string(dx) + "," + std::to_string(dy) + (dragged ? " dragged" : ""));
}
void onUpSecond(int, int, int, Event3D*, int, int, bool) { events.push_back("up2"); }

class Event3DTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        events.clear();
        box.addMouseEnterListener(onEnter);
        box.addMouseExitListener(onExit);
        box.addMouseDownListener(onDown);
        box.addMouseDragListener(onDrag);
        box.addMouseUpListener(onUp);
    }
    Box box;
};

TEST_F(Event3DTest, ClickAtOneSpotEntersFocusesPressesAndReleasesWithoutDrag)
{
    WINDOW_INFO.setFocus(nullptr);
    box.fireMouseEvent(15, 15, 0, kDown);
    EXPECT_TRUE(WINDOW_INFO.hasFocus(&box));
    EXPECT_TRUE(box.pressed);
    box.fireMouseEvent(15, 15, 0, kUp);
    EXPECT_FALSE(box.pressed);
    EXPECT_EQ(events, (std::vector<std::string>{"enter 15,15", "down 0", "drag 0,0 0,0", "up 0,0"}));
}

TEST_F(Event3DTest, UpListenersRunLastAddedFirst)
{
    box.addMouseUpListener(onUpSecond);
    box.fireMouseEvent(15, 15, 0, kDown);
    events.clear();
    box.fireMouseEvent(15, 15, 0, kUp);
    EXPECT_EQ(events, (std::vector<std::string>{"drag 0,0 0,0", "up2", "up 0,0"}));
}

TEST_F(Event3DTest, KeyEventsReachListenersEvenWhenHidden)
{
    static int got[3];
    box.addKeyPressListener([](int a, int b, int c, Event3D*) {
        got[0] = a;
        got[1] = b;
        got[2] = c;
    });
    box.setVisible(false);
    box.fireKeyEvent(1, 2, 3);
    EXPECT_EQ(got[0] + got[1] * 10 + got[2] * 100, 321);
}

void beforeHook() { events.push_back("before"); }
void afterHook() { events.push_back("after"); }

TEST(Sence3D, DisplaysVisibleObjectsBetweenItsHooks)
{
    events.clear();
    Sence3D scene;
    Box a, b, c;
    scene.addEvent(&a);
    scene.addEvent(&b);
    scene.addEvent(&c);
    b.setVisible(false);
    scene.display();
    EXPECT_EQ(events, (std::vector<std::string>{"show", "show"}));
    events.clear();
    scene.beforeDisplay = beforeHook;
    scene.afterDisplay = afterHook;
    scene.display();
    EXPECT_EQ(events, (std::vector<std::string>{"before", "show", "show", "after"}));
    EXPECT_EQ(scene.getEventCount(), 3);
    EXPECT_EQ(scene.getEvent(1), &b);
    EXPECT_EQ(scene.getEvent(3), nullptr);
    EXPECT_EQ(scene.getEvent(-1), nullptr);
}

}  // namespace
