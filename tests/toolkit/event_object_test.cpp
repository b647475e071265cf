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
