#include "toolkit/event_object.h"

namespace ovek {

namespace {

template <typename Method, typename... Args>
void notifyListeners(const std::vector<EventListener*>& listeners, Method method, Args... args)
{
    for (size_t i = 0; i < listeners.size(); ++i)
        (listeners[i]->*method)(args...);
}

// Turns the shared tracking's notifications into this object's (virtual) ones.
class Notifier final : public PointerSink {
public:
    explicit Notifier(EventObject& o) : o_(o) {}
    bool hitTest(int x, int y) override { return o_.isPointIn(x, y); }
    void drag(int x, int y, int dxp, int dyp, int dxl, int dyl) override
    {
        o_.fireMouseDragEvent(x, y, dxp, dyp, dxl, dyl);
    }
    void enter(int x, int y) override { o_.fireMouseEnterEvent(x, y); }
    void exit(int x, int y) override { o_.fireMouseExitEvent(x, y); }
    void move(int x, int y) override { o_.fireMouseMoveEvent(x, y); }
    void down(int x, int y, int button) override { o_.fireMouseDownEvent(x, y, button); }
    void up(int x, int y, int button, int dx, int dy, bool dragged) override
    {
        o_.fireMouseUpEvent(x, y, button, dx, dy, dragged);
    }

private:
    EventObject& o_;
};

}  // namespace

bool EventObject::fireMouseEvent(int x, int y, int button, int type, InputMods mods)
{
    if (!enabled || !visible)
        return false;
    recordMods = mods;
    Notifier notifier(*this);
    return trackPointerRecord(*this, notifier, x, y, button, type);
}

void EventObject::fireMouseEnterEvent(int x, int y)
{
    runOldestFirst(mouseEnterListeners, x, y, this);
    notifyListeners(eventListeners, &EventListener::mouseEnter, x, y, this, recordMods);
}

void EventObject::fireMouseExitEvent(int x, int y)
{
    runOldestFirst(mouseExitListeners, x, y, this);
    notifyListeners(eventListeners, &EventListener::mouseExit, x, y, this, recordMods);
}

void EventObject::fireMouseMoveEvent(int x, int y)
{
    runOldestFirst(mouseMoveListeners, x, y, this);
    notifyListeners(eventListeners, &EventListener::mouseMove, x, y, this, recordMods);
}

void EventObject::fireMouseDownEvent(int x, int y, int button)
{
    runOldestFirst(mouseDownListeners, x, y, button, this);
    notifyListeners(eventListeners, &EventListener::mouseDown, x, y, button, this, recordMods);
}

void EventObject::fireMouseUpEvent(int x, int y, int button, int dx, int dy, bool wasDragged)
{
    runNewestFirst(mouseUpListeners, x, y, button, this, dx, dy, wasDragged);
    notifyListeners(eventListeners, &EventListener::mouseUp, x, y, button, this, dx, dy,
                    wasDragged, recordMods);
}

void EventObject::fireMouseDragEvent(int x, int y, int dxFromPress, int dyFromPress, int dxFromLast,
                                     int dyFromLast)
{
    runOldestFirst(mouseDragListeners, x, y, dxFromPress, dyFromPress, dxFromLast, dyFromLast,
                   this);
    notifyListeners(eventListeners, &EventListener::mouseDrag, x, y, dxFromPress, dyFromPress,
                    dxFromLast, dyFromLast, this, recordMods);
}

void EventObject::fireKeyEvent(int key, int state, InputMods mods)
{
    recordMods = mods;
    if (state == KEY_DOWN) {
        runOldestFirst(keyDownListeners, key, this);
        notifyListeners(eventListeners, &EventListener::keyDown, key, this, recordMods);
    } else if (state == KEY_UP) {
        runOldestFirst(keyUpListeners, key, this);
        notifyListeners(eventListeners, &EventListener::keyUp, key, this, recordMods);
    }
}

bool EventObject::fireMouseWheelEvent(int x, int y, int steps, InputMods mods)
{
    if (!enabled || !visible || !isPointIn(x, y))
        return false;
    recordMods = mods;
    notifyListeners(eventListeners, &EventListener::mouseWheel, x, y, steps, this, recordMods);
    return true;
}

bool EventObject::isPointIn(int, int)
{
    return false;
}

}  // namespace ovek
