#pragma once
// "pexolen" without arguments: the program's window.

namespace ovek {

// Loads the window module (app/window_module.h) and runs its window until the
// user closes it (0). Without a display it says how to use the command line
// instead and returns 1; a module that cannot be loaded is named on one line
// with the reason, and gives 1 too.
int startWindow();

}  // namespace ovek
