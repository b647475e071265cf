#pragma once
// Open and save dialogs through FLTK's native file chooser.
#include <string>
#include <vector>

#include "toolkit/window_system.h"

namespace ovek {

// The filters in FLTK's syntax, one "label<TAB>pattern" line each: labels in
// UTF-8 without a trailing "(pattern)" (the choosers show the pattern
// themselves), ";"-separated pattern lists as "{a,b}", and "*.*" (any file on
// Windows) as "*".
std::string fltkFilter(const std::vector<FileFilter>& filters);

// One file, the first filter selected: Open needs an existing file, Save takes
// any name. False when the user cancels or no dialog can be shown.
bool runFileDialog(FileDialogKind kind, const std::vector<FileFilter>& filters, std::string& path);

}  // namespace ovek
