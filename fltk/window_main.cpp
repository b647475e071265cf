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

// The main window's outer size at start-up, its caption bar included.
constexpr int kMainWidth = 866;
constexpr int kMainHeight = 621;

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

int runWindow(const WindowLook& look, const std::function<void()>& init)
{
    FltkWindowSystem windows(MYPLAT, look.title, kMainWidth, kMainHeight - kCaptionHeight,
                             look.iconPath, look.windowClass);
    // The back buffer is the root area's size from the start, so that the
    // bar's last row is never cut.
    MYPLAT.init(&windows, kMainWidth, kMainHeight - kCaptionHeight);
    init();
    startRefreshThread();
    windows.updateRootSize();
    return windows.run();
}

}  // namespace ovek
