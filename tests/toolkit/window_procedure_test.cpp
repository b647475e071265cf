#include <gtest/gtest.h>

#include "tests/toolkit/event_log.h"
#include "tests/toolkit/fake_window_system.h"
#include "toolkit/input_state.h"
#include "toolkit/window_procedure.h"

using ovek::MouseMessage;
using Lines = std::vector<std::string>;

namespace {

class WindowProcedure : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform.init(&windows, 100, 100);
        platform.rootComponent.addEventListener(&log);
    }
    faketk::FakeWindowSystem windows;
    ovek::Platform platform;
    faketk::EventLog log;
};

TEST_F(WindowProcedure, MouseMessagesUpdateSharedStateAndReachTheRoot)
{
    ovek::dispatchMouseMessage(platform, MouseMessage::RightDown, 7, 8);
    EXPECT_TRUE(ovek::mouse_info::right_button_down);
    EXPECT_EQ(ovek::mouse_info::x, 7);
    EXPECT_EQ(ovek::mouse_info::y, 8);
    ovek::dispatchMouseMessage(platform, MouseMessage::LeftDown, 7, 8);
    EXPECT_TRUE(ovek::mouse_info::left_button_down);
    ovek::dispatchMouseMessage(platform, MouseMessage::Move, 9, 8);
    ovek::dispatchMouseMessage(platform, MouseMessage::LeftUp, 9, 8);
    EXPECT_FALSE(ovek::mouse_info::left_button_down);
    ovek::dispatchMouseMessage(platform, MouseMessage::MiddleDown, 9, 9);
    ovek::dispatchMouseMessage(platform, MouseMessage::MiddleUp, 9, 9);
    ovek::dispatchMouseMessage(platform, MouseMessage::RightUp, 9, 9);
    EXPECT_FALSE(ovek::mouse_info::right_button_down);
    EXPECT_EQ(log.take(),
              (Lines{"enter 7,8", "down 7,8 b2", "drag 7,8 p0,0 l0,0", "down 7,8 b0",
                     "drag 9,8 p2,0 l2,0", "drag 9,8 p2,0 l0,0", "up 9,8 b0 d2,0 dragged",
                     "down 9,9 b1", "drag 9,9 p0,0 l0,0", "up 9,9 b1 d0,0",
                     // not pressed any more: a release that is a click, then a move
                     "up 9,9 b2 d0,0", "move 9,9"}));
}

TEST_F(WindowProcedure, KeysGoByTheirLowByteAPressRunsKeyUpAndModifiersTravelWithRecords)
{
    ovek::dispatchKeyMessage(platform, 0x141, true);
    ovek::dispatchKeyMessage(platform, 0x41, false);
    EXPECT_EQ(log.take(), (Lines{"keyup 65", "keydown 65"}));

    // A modifier's own press already carries it, its release no longer does,
    // whatever the window system reported from before the event.
    ovek::InputMods none, shift;
    shift.shift = true;
    ovek::dispatchKeyMessage(platform, ovek::kKeyControl, true, shift);
    ovek::dispatchMouseMessage(platform, MouseMessage::Move, 5, 5, shift);
    ovek::dispatchKeyMessage(platform, ovek::kKeyShift, false, shift);
    ovek::dispatchKeyMessage(platform, ovek::kKeyAlt, true, none);
    EXPECT_EQ(log.take(), (Lines{"keyup 17 +shift+ctrl", "enter 5,5 +shift", "move 5,5 +shift",
                                 "keydown 16", "keyup 18 +alt"}));
}

// The left button's state rides on every record between its down and up.
TEST_F(WindowProcedure, RecordsCarryTheLeftButtonWhileItIsDown)
{
    struct Buttons : ovek::EventListener {
        std::vector<bool> drags;
        void mouseDrag(int, int, int, int, int, int, ovek::EventObject*, ovek::InputMods m) override
        {
            drags.push_back(m.leftButton);
        }
    } seen;
    platform.rootComponent.setBounds(0, 0, 100, 100);
    platform.rootComponent.addEventListener(&seen);
    ovek::dispatchMouseMessage(platform, MouseMessage::LeftDown, 5, 5);
    ovek::dispatchMouseMessage(platform, MouseMessage::Move, 6, 5);
    ovek::dispatchMouseMessage(platform, MouseMessage::LeftUp, 7, 5);
    ovek::dispatchMouseMessage(platform, MouseMessage::RightDown, 7, 5);
    ovek::dispatchMouseMessage(platform, MouseMessage::Move, 8, 5);
    ovek::dispatchMouseMessage(platform, MouseMessage::RightUp, 8, 5);
    EXPECT_EQ(seen.drags, (std::vector<bool>{true, false, false, false}));
}

TEST(RootResize, FollowsTheMainWindowWithinLimits)
{
    EXPECT_TRUE(ovek::rootResizeNeeded(61, 61, 861, 621));
    EXPECT_FALSE(ovek::rootResizeNeeded(60, 400, 861, 621));
    EXPECT_FALSE(ovek::rootResizeNeeded(400, 10000, 861, 621));
    EXPECT_TRUE(ovek::rootResizeNeeded(9999, 9999, 861, 621));
    EXPECT_FALSE(ovek::rootResizeNeeded(866, 621, 866, 591));
    EXPECT_TRUE(ovek::rootResizeNeeded(866, 621, 861, 621));
}

TEST(RefreshGUI, DrawsOnlyOnceTheRefreshFlagIsSetAndOnlyWhatChanged)
{
    faketk::FakeWindowSystem windows;
    ovek::Platform platform;
    platform.init(&windows, 20, 20);
    ovek::refreshTimeOut = false;
    EXPECT_FALSE(ovek::refreshGUI(platform));
    EXPECT_TRUE(windows.window.copies.empty());
    ovek::refreshTimeOut = true;
    EXPECT_TRUE(ovek::refreshGUI(platform));   // the new back buffer is drawn once
    EXPECT_FALSE(ovek::refreshGUI(platform));  // idle: nothing drawn, nothing copied
    EXPECT_EQ(windows.window.copies.size(), 1u);
    // Whatever may change the screen draws on the next tick, once.
    ovek::dispatchMouseMessage(platform, ovek::MouseMessage::Move, 3, 4);
    EXPECT_TRUE(ovek::refreshGUI(platform));
    ovek::dispatchKeyMessage(platform, 0x41, true);
    EXPECT_TRUE(ovek::refreshGUI(platform));
    platform.setSize(30, 20);
    EXPECT_TRUE(ovek::refreshGUI(platform));
    platform.repaint();
    EXPECT_TRUE(ovek::refreshGUI(platform));
    EXPECT_FALSE(ovek::refreshGUI(platform));
    EXPECT_EQ(windows.window.copies.size(), 5u);
    ovek::refreshTimeOut = false;
}

}  // namespace
