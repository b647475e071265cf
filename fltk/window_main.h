#pragma once
// Start-up of the program's window, without the window system's types.

namespace ovek {

// Connects to the X display named by DISPLAY; false when there is none.
bool openDisplay();
// Sets the refresh flag (window_procedure.h) about 100 ms from now, from a
// thread of its own.
void startRefreshThread();
// Opens the main window titled title (UTF-8) and binds MYPLAT to it, calls init
// to build the screens on MYPLAT's root, and runs until the user closes the
// window. The display must be open. Returns the exit status, 0.
int runWindow(const char* title, void (*init)());

}  // namespace ovek
