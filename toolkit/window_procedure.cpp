#include "toolkit/window_procedure.h"

#include "toolkit/input_state.h"

namespace ovek {

std::atomic<bool> refreshTimeOut{false};

void dispatchMouseMessage(Platform& platform, MouseMessage message, int x, int y)
{
    mouse_info::x = x;
    mouse_info::y = y;
    Component& root = platform.rootComponent;
    switch (message) {
    case MouseMessage::Move:
        platform.eventBegin();
        root.fireMouseEvent(x, y, MOUSE_BUTTON1, MOUSE_MOVE);
        platform.eventEnd();
        break;
    case MouseMessage::LeftDown:
        mouse_info::left_button_down = true;
        root.fireMouseEvent(x, y, MOUSE_BUTTON1, MOUSE_DOWN);
        break;
    case MouseMessage::LeftUp:
        mouse_info::left_button_down = false;
        root.fireMouseEvent(x, y, MOUSE_BUTTON1, MOUSE_UP);
        break;
    case MouseMessage::MiddleDown:
        root.fireMouseEvent(x, y, MOUSE_BUTTON2, MOUSE_DOWN);
        break;
    case MouseMessage::MiddleUp:
        root.fireMouseEvent(x, y, MOUSE_BUTTON2, MOUSE_UP);
        break;
    case MouseMessage::RightDown:
        mouse_info::right_button_down = true;
        root.fireMouseEvent(x, y, MOUSE_BUTTON3, MOUSE_DOWN);
        break;
    case MouseMessage::RightUp:
        mouse_info::right_button_down = false;
        root.fireMouseEvent(x, y, MOUSE_BUTTON3, MOUSE_UP);
        break;
    }
}

void dispatchKeyMessage(Platform& platform, int virtualKey, bool pressed)
{
    const int k = virtualKey & 255;
    key_info::key_down[k] = pressed;
    platform.rootComponent.fireKeyEvent(k, pressed ? OVEK_DOWN : OVEK_UP);
}

bool rootResizeNeeded(int mainWidth, int mainHeight, int rootWidth, int rootHeight)
{
    if (rootWidth == mainWidth && (long long)rootHeight == (long long)mainHeight - kCaptionHeight)
        return false;
    return mainWidth > 60 && mainWidth <= 9999 && mainHeight > 60 && mainHeight <= 9999;
}

void refreshGUI(Platform& platform)
{
    if (refreshTimeOut && platform.isInited()) {
        platform.repaint();
        platform.flush();
    }
}

}  // namespace ovek
