#include "view3d/event3d.h"

#include <cstddef>

#include "view3d/window_info.h"

namespace {
// The toolkit's mouse record types; this layer sits below the toolkit.
constexpr int kMouseDown = 0;
constexpr int kMouseUp = 1;
}  // namespace

// Listener lists are walked by index over the length they had at the start, so
// a listener that adds another does not invalidate the walk.

void Event3D::fireMouseEvent(int x, int y, int button, int type)
{
    if (!enabled || !visible)
        return;
    if (pressed) {
        const int dxFromLast = x - lastX;
        const int dyFromLast = y - lastY;
        const int dxFromPress = x - pressX;
        const int dyFromPress = y - pressY;
        lastX = x;
        lastY = y;
        if (dxFromPress != 0 || dyFromPress != 0)
            dragged = true;
        for (size_t i = 0, n = mouseDragListeners.size(); i < n; ++i)
            mouseDragListeners[i](x, y, dxFromPress, dyFromPress, dxFromLast, dyFromLast, this);
    }
    const bool inside = isPointIn(x, y);
    if (inside) {
        if (!mouseIn) {
            mouseIn = true;
            dragged = false;
            for (size_t i = 0, n = mouseEnterListeners.size(); i < n; ++i)
                mouseEnterListeners[i](x, y, this);
        }
        if (type == kMouseDown) {
            WINDOW_INFO.setFocus(this);
            for (size_t i = 0, n = mouseDownListeners.size(); i < n; ++i)
                mouseDownListeners[i](x, y, button, this);
            pressed = true;
            dragged = false;
            pressX = lastX = x;
            pressY = lastY = y;
        } else if (type == kMouseUp) {
            fireUp(x, y, button);
        }
    }
    if (!inside && mouseIn) {
        mouseIn = false;
        for (size_t i = 0, n = mouseExitListeners.size(); i < n; ++i)
            mouseExitListeners[i](x, y, this);
    }
    if (type == kMouseUp && pressed) {
        pressed = false;
        // A release inside has told the listeners already.
        if (!mouseIn)
            fireUp(x, y, button);
    }
}

void Event3D::fireUp(int x, int y, int button)
{
    for (size_t i = mouseUpListeners.size(); i-- > 0;)
        mouseUpListeners[i](x, y, button, this, x - pressX, y - pressY, dragged);
}

void Event3D::fireKeyEvent(int a, int b, int c)
{
    for (size_t i = 0, n = keyPressListeners.size(); i < n; ++i)
        keyPressListeners[i](a, b, c, this);
}

bool Event3D::isPointIn(double, double)
{
    return false;
}

void Event3D::display()
{
    if (visible)
        show();
}
