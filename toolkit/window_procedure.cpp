#include "toolkit/window_procedure.h"

#include "toolkit/input_state.h"

namespace ovek {

std::atomic<bool> refreshTimeOut{false};

void dispatchMouseMessage(Platform& platform, MouseMessage message, int x, int y, InputMods mods)
{
    mouse_info::x = x;
    mouse_info::y = y;
    if (message == MouseMessage::LeftDown || message == MouseMessage::LeftUp)
        platform.leftButtonDown = message == MouseMessage::LeftDown;
    mods.leftButton = platform.leftButtonDown;
    // Any record may change what is shown (a hovered handle, a pressed button).
    platform.repaint();
    Component& root = platform.rootComponent;
    switch (message) {
    case MouseMessage::Move:
        platform.eventBegin();
        root.fireMouseEvent(x, y, MOUSE_BUTTON1, MOUSE_MOVE, mods);
        platform.eventEnd();
        break;
    case MouseMessage::LeftDown:
        mouse_info::left_button_down = true;
        root.fireMouseEvent(x, y, MOUSE_BUTTON1, MOUSE_DOWN, mods);
        break;
    case MouseMessage::LeftUp:
        mouse_info::left_button_down = false;
        root.fireMouseEvent(x, y, MOUSE_BUTTON1, MOUSE_UP, mods);
        break;
    case MouseMessage::MiddleDown:
        root.fireMouseEvent(x, y, MOUSE_BUTTON2, MOUSE_DOWN, mods);
        break;
    case MouseMessage::MiddleUp:
        root.fireMouseEvent(x, y, MOUSE_BUTTON2, MOUSE_UP, mods);
        break;
    case MouseMessage::RightDown:
        mouse_info::right_button_down = true;
        root.fireMouseEvent(x, y, MOUSE_BUTTON3, MOUSE_DOWN, mods);
        break;
    case MouseMessage::RightUp:
        mouse_info::right_button_down = false;
        root.fireMouseEvent(x, y, MOUSE_BUTTON3, MOUSE_UP, mods);
        break;
    }
}

void dispatchWheelMessage(Platform& platform, int x, int y, int steps, InputMods mods)
{
    mouse_info::x = x;
    mouse_info::y = y;
    mods.leftButton = platform.leftButtonDown;
    platform.repaint();
    platform.rootComponent.fireMouseWheelEvent(x, y, steps, mods);
}

void dispatchKeyMessage(Platform& platform, int virtualKey, bool pressed, InputMods mods)
{
    const int k = virtualKey & 255;
    key_info::key_down[k] = pressed;
    // A modifier's own record already counts it (or no longer does): window
    // systems report the state from before the event.
    if (k == kKeyShift)
        mods.shift = pressed;
    else if (k == kKeyControl)
        mods.ctrl = pressed;
    else if (k == kKeyAlt)
        mods.alt = pressed;
    mods.leftButton = platform.leftButtonDown;
    platform.repaint();
    platform.rootComponent.fireKeyEvent(k, pressed ? OVEK_DOWN : OVEK_UP, mods);
}

bool rootResizeNeeded(int mainWidth, int mainHeight, int rootWidth, int rootHeight)
{
    if (rootWidth == mainWidth && (long long)rootHeight == (long long)mainHeight - kCaptionHeight)
        return false;
    return mainWidth > 60 && mainWidth <= 9999 && mainHeight > 60 && mainHeight <= 9999;
}

bool refreshGUI(Platform& platform)
{
    if (!refreshTimeOut || !platform.isInited() || !platform.needRepaint)
        return false;
    platform.flush();
    return true;
}

}  // namespace ovek
