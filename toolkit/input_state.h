#pragma once
// Input state shared by the whole program: written by the window layer for
// every message, read anywhere (the modeller reads the pointer and buttons).

namespace ovek {

namespace mouse_info {
extern int x;                   // pointer of the last mouse message, root-window pixels
extern int y;
extern bool left_button_down;   // between that button's down and up messages
extern bool right_button_down;
}  // namespace mouse_info

namespace key_info {
// Indexed by the low byte of the virtual-key code; true from the key's press
// message to its release message.
extern bool key_down[256];
}  // namespace key_info

}  // namespace ovek
