#pragma once
// The program's main window on the test's virtual X server, made and run as
// the program does, for tests that drive it from outside.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/x.H>

#include <functional>
#include <memory>
#include <string>

#include "fltk/fltk_window_system.h"
#include "fltk/window_main.h"
#include "tests/fltk/x_screen.h"
#include "toolkit/window_procedure.h"

namespace windowtest {

constexpr int kWidth = 866;    // the main window's client area at start-up
constexpr int kHeight = 591;
constexpr int kPaneX = 0, kPaneY = 38, kPaneW = 861, kPaneH = 490;

class WindowFixture : public ::testing::Test {
protected:
    explicit WindowFixture(std::string title) : title_(std::move(title)) {}

    void SetUp() override
    {
        ASSERT_TRUE(ovek::openDisplay()) << "the test runs under with_xvfb.sh";
        windows = std::make_unique<ovek::FltkWindowSystem>(ovek::MYPLAT, title_.c_str(), kWidth,
                                                           kHeight);
        ovek::MYPLAT.init(windows.get(), kWidth, kHeight);
        ovek::refreshTimeOut = true;
        ASSERT_TRUE(pumpUntil([this] {
            XWindowAttributes a;
            XSync(fl_display, False);
            return XGetWindowAttributes(fl_display, mainXid(), &a) && a.map_state == IsViewable;
        })) << "the main window never appeared";
    }
    void TearDown() override
    {
        windows.reset();   // detaches MYPLAT, which forgets what the test added
        ovek::refreshTimeOut = false;
    }

    // Runs the loop as run() does until done() holds or seconds have passed.
    bool pumpUntil(const std::function<bool()>& done, double seconds = 10)
    {
        const auto start = std::chrono::steady_clock::now();
        while (!done()) {
            if (xscreen::secondsSince(start) > seconds)
                return false;
            Fl::wait(0.02);
            windows->tick();
        }
        return true;
    }

    Window mainXid() { return fl_xid(windows->mainWindow()); }

    std::unique_ptr<ovek::FltkWindowSystem> windows;

private:
    std::string title_;
};

}  // namespace windowtest
