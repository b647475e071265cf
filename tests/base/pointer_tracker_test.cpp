// The toolkit's components and the 3D view's objects share one press and drag
// tracking: the same record sequences must give both the same notifications
// (3D objects have no move notification, so moves are left out of their log).
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "base/input_codes.h"
#include "scene3d/event3d.h"
#include "scene3d/window_info.h"
#include "tests/toolkit/event_log.h"
#include "toolkit/event_object.h"

using ovek::MOUSE_DOWN;
using ovek::MOUSE_MOVE;
using ovek::MOUSE_UP;
using Lines = std::vector<std::string>;

namespace {

bool inSquare(double x, double y) { return x >= 0 && x < 10 && y >= 0 && y < 10; }

class ToolkitSquare {
public:
    ToolkitSquare() { square.addEventListener(&log); }
    void record(int x, int y, int button, int type) { square.fireMouseEvent(x, y, button, type); }
    Lines take(bool withMoves)
    {
        Lines out;
        for (auto& l : log.take())
            if (withMoves || l.rfind("move", 0) != 0)
                out.push_back(l);
        return out;
    }
    ovek::PointerState& state() { return square; }
    void setVisible(bool v) { square.setVisible(v); }
    void setEnabled(bool e) { square.setEnabled(e); }

private:
    struct Square : ovek::EventObject {
        bool isPointIn(int x, int y) override { return inSquare(x, y); }
    } square;
    faketk::EventLog log;
};

Lines sceneLog;

class SceneSquare {
public:
    SceneSquare()
    {
        sceneLog.clear();
        square.addMouseEnterListener([](int x, int y, Event3D*) { add("enter", x, y, ""); });
        square.addMouseExitListener([](int x, int y, Event3D*) { add("exit", x, y, ""); });
        square.addMouseDownListener([](int x, int y, int b, Event3D*) {
            add("down", x, y, " b" + std::to_string(b));
        });
        square.addMouseDragListener([](int x, int y, int dxp, int dyp, int dxl, int dyl, Event3D*) {
            add("drag", x, y, " p" + pair(dxp, dyp) + " l" + pair(dxl, dyl));
        });
        square.addMouseUpListener([](int x, int y, int b, Event3D*, int dx, int dy, bool dragged) {
            add("up", x, y, " b" + std::to_string(b) + " d" + pair(dx, dy) + (dragged ? " dragged" : ""));
        });
    }
    void record(int x, int y, int button, int type) { square.fireMouseEvent(x, y, button, type); }
    Lines take(bool)
    {
        Lines out;
        out.swap(sceneLog);
        return out;
    }
    ovek::PointerState& state() { return square; }
    void setVisible(bool v) { square.setVisible(v); }
    void setEnabled(bool e) { square.setEnabled(e); }

private:
    static std::string pair(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }
    static void add(const char* what, int x, int y, const std::string& rest)
    {
        sceneLog.push_back(std::string(what) + " " + pair(x, y) + rest);
    }
    struct Square : Event3D {
        bool isPointIn(double x, double y) override { return inSquare(x, y); }
    } square;
};

template <typename T>
class PointerTracking : public ::testing::Test {
protected:
    // The log since the last call; moves only where the object reports them.
    Lines take() { return object.take(std::is_same<T, ToolkitSquare>::value); }
    Lines moves(Lines toolkit) { return std::is_same<T, ToolkitSquare>::value ? toolkit : Lines{}; }
    T object;
};

using Objects = ::testing::Types<ToolkitSquare, SceneSquare>;
TYPED_TEST_SUITE(PointerTracking, Objects);

TYPED_TEST(PointerTracking, ClickAtOneSpotGivesEnterDownZeroDragAndUp)
{
    this->object.record(3, 4, ovek::MOUSE_BUTTON1, MOUSE_DOWN);
    this->object.record(3, 4, ovek::MOUSE_BUTTON1, MOUSE_UP);
    EXPECT_EQ(this->take(), (Lines{"enter 3,4", "down 3,4 b0", "drag 3,4 p0,0 l0,0", "up 3,4 b0 d0,0"}));
    EXPECT_FALSE(this->object.state().pressed);
    this->object.record(3, 4, 0, MOUSE_MOVE);
    EXPECT_EQ(this->take(), this->moves({"move 3,4"}));
}

TYPED_TEST(PointerTracking, DragGivesOffsetsFromPressAndLastAndNoMove)
{
    this->object.record(2, 2, 0, MOUSE_DOWN);
    this->take();
    this->object.record(5, 3, 0, MOUSE_MOVE);
    this->object.record(7, 6, 0, -1);
    this->object.record(7, 6, 0, MOUSE_UP);
    EXPECT_EQ(this->take(), (Lines{"drag 5,3 p3,1 l3,1", "drag 7,6 p5,4 l2,3", "drag 7,6 p5,4 l0,0",
                                   "up 7,6 b0 d5,4 dragged"}));
}

TYPED_TEST(PointerTracking, ReleaseOutsideGivesDragExitThenOneUp)
{
    this->object.record(2, 2, 0, MOUSE_DOWN);
    this->take();
    this->object.record(15, 2, ovek::MOUSE_BUTTON3, MOUSE_UP);   // any button ends the press
    EXPECT_EQ(this->take(), (Lines{"drag 15,2 p13,0 l13,0", "exit 15,2", "up 15,2 b2 d13,0 dragged"}));
    EXPECT_FALSE(this->object.state().pressed);
    this->object.record(16, 2, 0, MOUSE_MOVE);
    this->object.record(40, 40, 0, MOUSE_UP);   // unpressed and outside: nobody is told
    EXPECT_TRUE(this->take().empty());
}

TYPED_TEST(PointerTracking, ReturningDuringPressFiresEnterAndClearsDragged)
{
    this->object.record(2, 2, 0, MOUSE_DOWN);
    this->object.record(20, 2, 0, MOUSE_MOVE);
    this->take();
    this->object.record(2, 2, 0, MOUSE_MOVE);
    this->object.record(2, 2, 0, MOUSE_UP);
    EXPECT_EQ(this->take(),
              (Lines{"drag 2,2 p0,0 l-18,0", "enter 2,2", "drag 2,2 p0,0 l0,0", "up 2,2 b0 d0,0"}));
}

TYPED_TEST(PointerTracking, ReleaseOverUnpressedObjectCountsFromTheLastPress)
{
    this->object.record(1, 1, 0, MOUSE_DOWN);
    this->object.record(1, 1, 0, MOUSE_UP);
    this->take();
    this->object.record(4, 6, 0, MOUSE_UP);
    Lines expected{"up 4,6 b0 d3,5"};
    for (auto& m : this->moves({"move 4,6"}))
        expected.push_back(m);
    EXPECT_EQ(this->take(), expected);
}

TYPED_TEST(PointerTracking, HiddenOrDisabledObjectIgnoresRecordsAndKeepsItsPress)
{
    this->object.record(2, 2, 0, MOUSE_DOWN);
    this->take();
    this->object.setVisible(false);
    this->object.record(2, 2, 0, MOUSE_UP);
    this->object.setVisible(true);
    this->object.setEnabled(false);
    this->object.record(50, 50, 0, MOUSE_MOVE);
    EXPECT_TRUE(this->take().empty());
    EXPECT_TRUE(this->object.state().pressed);
    EXPECT_TRUE(this->object.state().mouseIn);
    this->object.setEnabled(true);
    this->object.record(2, 3, 0, MOUSE_UP);
    EXPECT_EQ(this->take(), (Lines{"drag 2,3 p0,1 l0,1", "up 2,3 b0 d0,1 dragged"}));
}

TYPED_TEST(PointerTracking, SecondPressRestartsAtNewPosition)
{
    this->object.record(2, 2, 0, MOUSE_DOWN);
    this->object.record(5, 5, 1, MOUSE_DOWN);
    this->take();
    this->object.record(5, 5, 2, MOUSE_UP);
    EXPECT_EQ(this->take(), (Lines{"drag 5,5 p0,0 l0,0", "up 5,5 b2 d0,0"}));
}

TYPED_TEST(PointerTracking, OffsetsSaturateOnAbsurdCoordinates)
{
    this->object.record(0, 0, 0, MOUSE_DOWN);
    this->take();
    this->object.record(INT_MIN, INT_MAX, 0, MOUSE_UP);
    const Lines got = this->take();
    ASSERT_FALSE(got.empty());
    EXPECT_NE(got.back().find(" d" + std::to_string(INT_MIN) + "," + std::to_string(INT_MAX)),
              std::string::npos);
}

}  // namespace
