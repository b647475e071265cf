#include "toolkit/event_object.h"

#include <algorithm>
#include <climits>

namespace ovek {

namespace {

// Offsets saturate rather than overflow on absurd coordinates.
int offset(int to, int from)
{
    return int(std::clamp((long long)to - from, (long long)INT_MIN, (long long)INT_MAX));
}

// Listeners may add listeners while they run: indices stay valid where
// iterators would not, and the list is re-measured on every step.
template <typename List, typename... Args>
void runOldestFirst(const List& list, Args... args)
{
    for (size_t i = 0; i < list.size(); ++i)
        list[i](args...);
}

template <typename Method, typename... Args>
void notifyListeners(const std::vector<EventListener*>& listeners, Method method, Args... args)
{
    for (size_t i = 0; i < listeners.size(); ++i)
        (listeners[i]->*method)(args...);
}

}  // namespace

bool EventObject::fireMouseEvent(int x, int y, int button, int type)
{
    if (!enabled || !visible)
        return false;

    if (pressed) {
        const int dxPress = offset(x, pressX), dyPress = offset(y, pressY);
        const int dxLast = offset(x, lastX), dyLast = offset(y, lastY);
        lastX = x;
        lastY = y;
        if (dxPress != 0 || dyPress != 0)
            dragged = true;
        fireMouseDragEvent(x, y, dxPress, dyPress, dxLast, dyLast);
    }

    const bool inside = isPointIn(x, y);
    if (inside) {
        if (!mouseIn) {
            mouseIn = true;
            dragged = false;
            fireMouseEnterEvent(x, y);
        }
        if (type == MOUSE_DOWN) {
            fireMouseDownEvent(x, y, button);
            pressed = true;
            dragged = false;
            pressX = lastX = x;
            pressY = lastY = y;
        } else if (type == MOUSE_UP) {
            fireMouseUpEvent(x, y, button, offset(x, pressX), offset(y, pressY), dragged);
        }
        if (!pressed)
            fireMouseMoveEvent(x, y);
    } else if (mouseIn) {
        mouseIn = false;
        fireMouseExitEvent(x, y);
    }

    if (type == MOUSE_UP && pressed) {
        pressed = false;
        if (!mouseIn)  // released outside: the inside branch gave no up
            fireMouseUpEvent(x, y, button, offset(x, pressX), offset(y, pressY), dragged);
    }
    return inside;
}

void EventObject::fireMouseEnterEvent(int x, int y)
{
    runOldestFirst(mouseEnterListeners, x, y, this);
    notifyListeners(eventListeners, &EventListener::mouseEnter, x, y, this);
}

void EventObject::fireMouseExitEvent(int x, int y)
{
    runOldestFirst(mouseExitListeners, x, y, this);
    notifyListeners(eventListeners, &EventListener::mouseExit, x, y, this);
}

void EventObject::fireMouseMoveEvent(int x, int y)
{
    runOldestFirst(mouseMoveListeners, x, y, this);
    notifyListeners(eventListeners, &EventListener::mouseMove, x, y, this);
}

void EventObject::fireMouseDownEvent(int x, int y, int button)
{
    runOldestFirst(mouseDownListeners, x, y, button, this);
    notifyListeners(eventListeners, &EventListener::mouseDown, x, y, button, this);
}

void EventObject::fireMouseUpEvent(int x, int y, int button, int dx, int dy, bool wasDragged)
{
    // Newest first; a listener that clears the list ends the walk.
    for (size_t i = mouseUpListeners.size(); i-- > 0;)
        if (i < mouseUpListeners.size())
            mouseUpListeners[i](x, y, button, this, dx, dy, wasDragged);
    notifyListeners(eventListeners, &EventListener::mouseUp, x, y, button, this, dx, dy,
                    wasDragged);
}

void EventObject::fireMouseDragEvent(int x, int y, int dxFromPress, int dyFromPress, int dxFromLast,
                                     int dyFromLast)
{
    runOldestFirst(mouseDragListeners, x, y, dxFromPress, dyFromPress, dxFromLast, dyFromLast,
                   this);
    notifyListeners(eventListeners, &EventListener::mouseDrag, x, y, dxFromPress, dyFromPress,
                    dxFromLast, dyFromLast, this);
}

void EventObject::fireKeyEvent(int key, int state)
{
    if (state == KEY_DOWN) {
        runOldestFirst(keyDownListeners, key, this);
        notifyListeners(eventListeners, &EventListener::keyDown, key, this);
    } else if (state == KEY_UP) {
        runOldestFirst(keyUpListeners, key, this);
        notifyListeners(eventListeners, &EventListener::keyUp, key, this);
    }
}

bool EventObject::isPointIn(int, int)
{
    return false;
}

}  // namespace ovek
