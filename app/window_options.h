#pragma once
// Reading the window's arguments: the options every stereogram command takes
// for its settings and size (app/cli_settings.h), --pattern, and files.
#include "app/cli.h"
#include "app/window_args.h"

namespace ovek {

// Whether "pexolen ARGS..." opens the window: no arguments, or a first one
// that is no command (nor --help, --version and their short forms).
bool opensWindow(const Args& args);

// Fills out from args. kContinue, or the exit status once help was printed
// or a mistake reported: kExitUsage for a wrong option or value, kExitBadInput
// for a file that does not exist or cannot be read (both before any window).
int parseWindowArgs(const Args& args, WindowArgs& out);

// The window's part of "pexolen --help".
const char* windowHelp();

}  // namespace ovek
