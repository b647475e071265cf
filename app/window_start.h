#pragma once
// "pexolen" without arguments: the program's window.

namespace ovek {

// Opens the window with the screens and runs until the user closes it (0).
// Without a display it says how to use the command line instead and returns 1.
int startWindow();

}  // namespace ovek
