#include "fltk/window_main.h"

#include <X11/Xlib.h>
#include <FL/Fl.H>
#include <FL/x.H>

#include <chrono>
#include <thread>

#include "fltk/fltk_window_system.h"
#include "toolkit/window_procedure.h"

namespace ovek {

namespace {

// The main window's outer size and the back buffer's sizes at start-up.
constexpr int kMainWidth = 866;
constexpr int kMainHeight = 621;
constexpr int kRootHeight = 592;

}  // namespace

bool openDisplay()
{
    if (fl_display)
        return true;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    fl_open_display(display);
    return true;
}

void startRefreshThread()
{
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        refreshTimeOut = true;
    }).detach();
}

int runWindow(const char* title, void (*init)())
{
    FltkWindowSystem windows(MYPLAT, title, kMainWidth, kMainHeight - kCaptionHeight);
    MYPLAT.init(&windows, kMainWidth, kMainHeight);
    init();
    startRefreshThread();
    // A new back buffer at the usual size, which lays the screens out.
    MYPLAT.init(&windows, kMainWidth, kRootHeight);
    windows.updateRootSize();
    return windows.run();
}

}  // namespace ovek
