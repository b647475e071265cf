#pragma once
// Keys reach the program as Windows virtual-key codes whatever the window
// system; these translate FLTK's key numbers.
#include <vector>

namespace ovek {

// The virtual-key code of an FLTK key (Fl::event_key()), or 0 for a key the
// program has no code for.
int virtualKeyOf(int fltkKey);
// Every FLTK key with that virtual-key code (both Control keys for 0x11, say).
std::vector<int> fltkKeysOf(int virtualKey);

}  // namespace ovek
