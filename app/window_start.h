#pragma once
// "pexolen" without arguments, or with the window's own: the program's window.
#include "app/window_args.h"

namespace ovek {

// Loads the window module (app/window_module.h) and runs its window, opened
// with args (null: as without arguments), until the user closes it (0). Without a display it says how to use the command line
// instead and returns 1; a module that cannot be loaded is named on one line
// with the reason, and gives 1 too.
int startWindow(const WindowArgs* args);

}  // namespace ovek
