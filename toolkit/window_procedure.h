#pragma once
// What the window layer does with its messages and idle ticks, apart from the
// window system itself: the native layer converts a message's position to
// root-window pixels and calls these, so that every record reaches the root
// component with the same values and in the same order on any window system.
#include <atomic>

#include "toolkit/platform.h"

namespace ovek {

enum class MouseMessage { Move, LeftDown, LeftUp, MiddleDown, MiddleUp, RightDown, RightUp };

// Updates mouse_info and feeds the root component of platform, the record
// carrying mods (shift, ctrl, alt as the window system reports them; the left
// button is tracked here); moves are bracketed for tooltips. Marks the screen
// for repainting.
void dispatchMouseMessage(Platform& platform, MouseMessage message, int x, int y,
                          InputMods mods = {});
// The wheel turned steps notches over (x, y) (negative: up, away from the
// user): updates mouse_info's position and feeds the root, the record
// carrying mods as a mouse record does. Marks the screen for repainting.
void dispatchWheelMessage(Platform& platform, int x, int y, int steps, InputMods mods = {});
// Updates key_info under the key's low byte and feeds the root: a press as
// OVEK_DOWN, a release as OVEK_UP, with mods counting a modifier key's own
// press or release. Marks the screen for repainting.
void dispatchKeyMessage(Platform& platform, int virtualKey, bool pressed, InputMods mods = {});

// The root window fills the main window less its caption bar.
constexpr int kCaptionHeight = 30;   // pixels
// Whether the root window (rootWidth x rootHeight) must be moved to (0, 0) and
// resized to mainWidth x (mainHeight - kCaptionHeight), after which the
// platform gets setSize with that size. Main windows of 60 pixels or less, or
// over 9999, on either side are ignored.
bool rootResizeNeeded(int mainWidth, int mainHeight, int rootWidth, int rootHeight);

// Set once by the refresh thread shortly after start-up; before that the idle
// loop draws nothing.
extern std::atomic<bool> refreshTimeOut;
// The idle tick: once refreshTimeOut is set, flush platform when something
// asked for a repaint since the last one. Whether it drew; an unchanged
// screen costs nothing.
bool refreshGUI(Platform& platform);

}  // namespace ovek
