#pragma once
// Start-up of the program's window, without the window system's types.

#include <functional>
#include <string>

namespace ovek {

// Connects to the X display named by DISPLAY; false when there is none.
bool openDisplay();
// Sets the refresh flag (window_procedure.h) about 100 ms from now, from a
// thread of its own.
void startRefreshThread();
// How the main window presents itself to the desktop.
struct WindowLook {
    const char* title = "";          // caption, UTF-8
    std::string iconPath;            // a PNG; empty or unreadable: no icon
    const char* windowClass = "pexolen";   // WM_CLASS, which desktop entries match
};

// Opens the main window as look says and binds MYPLAT to it at the root
// area's size, calls init to build the screens on MYPLAT's root, and runs
// until the user closes the window. The display must be open. Returns the
// exit status, 0.
int runWindow(const WindowLook& look, const std::function<void()>& init);

}  // namespace ovek
