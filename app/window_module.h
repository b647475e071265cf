#pragma once
// The window as a module of its own (pexolen_window.so), loaded only when the
// window opens, so that the command line never loads the toolkit, OpenGL or
// window-system libraries.
#include "app/window_args.h"

// Opens the window with the screens and runs until the user closes it (0).
// Without a display it says how to use the command line instead and returns 1.
// args: what "pexolen [OPTIONS] [FILE...]" asked for, already checked by the
// program (the same build: the record's layout is shared); null for none.
extern "C" int pexolen_start_window(const ovek::WindowArgs* args);
