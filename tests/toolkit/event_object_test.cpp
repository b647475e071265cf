#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/event_log.h"
#include "toolkit/event_object.h"

using ovek::EventObject;
using ovek::MOUSE_DOWN;
using ovek::MOUSE_MOVE;
using ovek::MOUSE_UP;
using Lines = std::vector<std::string>;

namespace {

// An object covering [0, 10) x [0, 10).
class Square : public EventObject {
public:
    bool isPointIn(int x, int y) override { return x >= 0 && x < 10 && y >= 0 && y < 10; }
};

class EventObjectTest : public ::testing::Test {
protected:
    void SetUp() override { square.addEventListener(&log); }
    Square square;
    faketk::EventLog log;
};

TEST_F(EventObjectTest, ClickAtOneSpotGivesEnterDownZeroDragAndUpWithoutMove)
{
    EXPECT_TRUE(square.fireMouseEvent(3, 4, ovek::MOUSE_BUTTON1, MOUSE_DOWN));
    EXPECT_TRUE(square.fireMouseEvent(3, 4, ovek::MOUSE_BUTTON1, MOUSE_UP));
    EXPECT_EQ(log.take(),
              (Lines{"enter 3,4", "down 3,4 b0", "drag 3,4 p0,0 l0,0", "up 3,4 b0 d0,0"}));
    EXPECT_FALSE(square.pressed);
    // The pointer stays: the next move is a plain move.
    square.fireMouseEvent(3, 4, 0, MOUSE_MOVE);
    EXPECT_EQ(log.take(), Lines{"move 3,4"});
}

TEST_F(EventObjectTest, DragNeverFiresMoveAndGivesBothOffsets)
{
    square.fireMouseEvent(2, 2, 0, MOUSE_DOWN);
    log.take();
    square.fireMouseEvent(5, 3, 0, MOUSE_MOVE);
    square.fireMouseEvent(7, 6, 0, -1);
    EXPECT_EQ(log.take(), (Lines{"drag 5,3 p3,1 l3,1", "drag 7,6 p5,4 l2,3"}));
    square.fireMouseEvent(7, 6, 0, MOUSE_UP);
    EXPECT_EQ(log.take(), (Lines{"drag 7,6 p5,4 l0,0", "up 7,6 b0 d5,4 dragged"}));
}

TEST_F(EventObjectTest, ReleaseOutsideGivesDragExitThenUpWithOutsideCoordinates)
{
    square.fireMouseEvent(2, 2, 0, MOUSE_DOWN);
    log.take();
    EXPECT_FALSE(square.fireMouseEvent(15, 2, ovek::MOUSE_BUTTON3, MOUSE_UP));
    EXPECT_EQ(log.take(),
              (Lines{"drag 15,2 p13,0 l13,0", "exit 15,2", "up 15,2 b2 d13,0 dragged"}));
    EXPECT_FALSE(square.pressed);
    // A record after the release gives nothing more.
    square.fireMouseEvent(16, 2, 0, MOUSE_MOVE);
    EXPECT_TRUE(log.take().empty());
}

TEST_F(EventObjectTest, ReturningDuringPressFiresEnterAndClearsDragged)
{
    square.fireMouseEvent(2, 2, 0, MOUSE_DOWN);
    square.fireMouseEvent(20, 2, 0, MOUSE_MOVE);
    log.take();
    square.fireMouseEvent(2, 2, 0, MOUSE_MOVE);
    EXPECT_EQ(log.take(), (Lines{"drag 2,2 p0,0 l-18,0", "enter 2,2"}));
    square.fireMouseEvent(2, 2, 0, MOUSE_UP);
    EXPECT_EQ(log.take(), (Lines{"drag 2,2 p0,0 l0,0", "up 2,2 b0 d0,0"}));
}

TEST_F(EventObjectTest, ReleaseOverUnpressedObjectStillFiresUpThenMove)
{
    square.fireMouseEvent(1, 1, 0, MOUSE_DOWN);
    square.fireMouseEvent(1, 1, 0, MOUSE_UP);
    log.take();
    // A press elsewhere, released here: counts as a click, offsets from the last press seen.
    square.fireMouseEvent(4, 6, 0, MOUSE_UP);
    EXPECT_EQ(log.take(), (Lines{"up 4,6 b0 d3,5", "move 4,6"}));
}

TEST_F(EventObjectTest, HiddenOrDisabledObjectIgnoresRecordsAndKeepsItsPress)
{
    square.fireMouseEvent(2, 2, 0, MOUSE_DOWN);
    log.take();
    square.setVisible(false);
    EXPECT_FALSE(square.fireMouseEvent(2, 2, 0, MOUSE_UP));
    square.setVisible(true);
    square.setEnabled(false);
    EXPECT_FALSE(square.fireMouseEvent(50, 50, 0, MOUSE_MOVE));
    EXPECT_TRUE(log.take().empty());
    EXPECT_TRUE(square.pressed);
    EXPECT_TRUE(square.mouseIn);
    square.setEnabled(true);
    square.fireMouseEvent(2, 3, 0, MOUSE_UP);
    EXPECT_EQ(log.take(), (Lines{"drag 2,3 p0,1 l0,1", "up 2,3 b0 d0,1 dragged"}));
}

TEST_F(EventObjectTest, SecondPressRestartsAtNewPosition)
{
    square.fireMouseEvent(2, 2, 0, MOUSE_DOWN);
    square.fireMouseEvent(5, 5, 1, MOUSE_DOWN);
    log.take();
    square.fireMouseEvent(5, 5, 2, MOUSE_UP);
    EXPECT_EQ(log.take(), (Lines{"drag 5,5 p0,0 l0,0", "up 5,5 b2 d0,0"}));
}

TEST_F(EventObjectTest, KeysIgnoreVisibilityAndRunTheListsTheStateNames)
{
    square.setVisible(false);
    square.setEnabled(false);
    square.fireKeyEvent(65, ovek::KEY_DOWN);
    square.fireKeyEvent(66, ovek::KEY_UP);
    square.fireKeyEvent(67, ovek::OVEK_ACTIVE_SHIFT);
    // A press arrives as OVEK_DOWN, which runs the key-up handlers.
    square.fireKeyEvent(68, ovek::OVEK_DOWN);
    EXPECT_EQ(log.take(), (Lines{"keydown 65", "keyup 66", "keyup 68"}));
}

// Plain callbacks record into one shared log.
Lines calls;
void upA(int, int, int, EventObject*, int, int, bool) { calls.push_back("upA"); }
void upB(int, int, int, EventObject*, int, int, bool) { calls.push_back("upB"); }
void downA(int, int, int, EventObject*) { calls.push_back("downA"); }
void downB(int, int, int, EventObject*) { calls.push_back("downB"); }
void enterA(int, int, EventObject*) { calls.push_back("enterA"); }
void keyA(int, EventObject*) { calls.push_back("keyA"); }
void upClearing(int, int, int, EventObject* source, int, int, bool)
{
    calls.push_back("upClearing");
    source->clearMouseUpListener();
}

TEST(EventObjectListeners, UpCallbacksRunNewestFirstOthersOldestFirstObjectsLast)
{
    calls.clear();
    Square square;
    faketk::EventLog log;
    square.addEventListener(&log);
    square.addMouseUpListener(upA);
    square.addMouseUpListener(upB);
    square.addMouseUpListener(upA);   // added twice: runs twice
    square.addMouseDownListener(downA);
    square.addMouseDownListener(downB);
    square.addMouseEnterListener(enterA);
    square.fireMouseEvent(1, 1, 0, MOUSE_DOWN);
    square.fireMouseEvent(1, 1, 0, MOUSE_UP);
    EXPECT_EQ(calls, (Lines{"enterA", "downA", "downB", "upA", "upB", "upA"}));
    EXPECT_EQ(log.lines.back(), "up 1,1 b0 d0,0");
}

TEST(EventObjectListeners, ClearOperationsEmptyTheirListsOnly)
{
    calls.clear();
    Square square;
    square.addMouseEnterListener(enterA);
    square.addMouseDownListener(downA);
    square.addMouseUpListener(upA);
    square.addKeyUpListener(keyA);
    square.clearMouseEnterListener();
    square.clearMouseDownListener();
    square.clearMouseUpListener();
    square.clearMouseExitListener();
    square.fireMouseEvent(1, 1, 0, MOUSE_DOWN);
    square.fireMouseEvent(1, 1, 0, MOUSE_UP);
    square.fireKeyEvent(1, ovek::KEY_UP);
    EXPECT_EQ(calls, Lines{"keyA"});
}

TEST(EventObjectListeners, UpListenerClearingTheListEndsTheWalkSafely)
{
    calls.clear();
    Square square;
    square.addMouseUpListener(upA);
    square.addMouseUpListener(upB);
    square.addMouseUpListener(upClearing);
    square.fireMouseEvent(1, 1, 0, MOUSE_UP);
    EXPECT_EQ(calls, Lines{"upClearing"});
}

TEST(EventObjectListeners, BaseObjectHasNoArea)
{
    EventObject plain;
    faketk::EventLog log;
    plain.addEventListener(&log);
    EXPECT_FALSE(plain.fireMouseEvent(0, 0, 0, MOUSE_DOWN));
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
