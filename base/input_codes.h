#pragma once
// Numbers of input records, shared by the toolkit, the 3D view, the editor and
// the window layer.

namespace ovek {

// Mouse record types; any other value (the component tree sends -1 to the
// children below a hit) is handled like MOUSE_MOVE.
constexpr int MOUSE_DOWN = 0;
constexpr int MOUSE_UP = 1;
constexpr int MOUSE_MOVE = 2;

constexpr int MOUSE_BUTTON1 = 0;  // left
constexpr int MOUSE_BUTTON2 = 1;  // middle
constexpr int MOUSE_BUTTON3 = 2;  // right

// Key states as fireKeyEvent tests them.
constexpr int KEY_UP = 0;
constexpr int KEY_DOWN = 1;

// Key states as the window layer sends them: a press arrives as OVEK_DOWN,
// which equals KEY_UP, so a press runs the key-up listeners.
constexpr int OVEK_DOWN = 0;
constexpr int OVEK_UP = 1;
constexpr int OVEK_ACTIVE_SHIFT = 2;
constexpr int OVEK_ACTIVE_CTRL = 3;

// Key codes are Windows virtual-key codes whatever the platform; the window
// layer maps its own codes to these.
constexpr int kKeyShift = 0x10;
constexpr int kKeyControl = 0x11;
constexpr int kKeyAlt = 0x12;

// The modifier keys and the left button at the moment of a record. The window
// layer fills it once per record and it travels with the record to every
// handler, so that a handler decides on the moment of its event, not on a
// later query of the keyboard.
struct InputMods {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool leftButton = false;   // held during the record; with a drag, the dragging button
};

}  // namespace ovek
