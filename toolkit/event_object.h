#pragma once
// Every element of the toolkit is an EventObject: it keeps one list of plain
// callbacks per kind of notification plus a list of EventListener objects, and
// turns raw mouse records (position, button, type) into enter, exit, move,
// down, up and drag notifications. Key records go straight to the key lists.
#include <vector>

#include "base/input_codes.h"
#include "base/pointer_tracker.h"
#include "toolkit/event_listener.h"

namespace ovek {

class EventObject : public PointerState {
public:
    EventObject() = default;
    virtual ~EventObject() = default;
    EventObject(const EventObject&) = delete;
    EventObject& operator=(const EventObject&) = delete;

    // Callbacks in the order added; none is owned, the same one may be added
    // twice and then runs twice.
    std::vector<MouseListener> mouseEnterListeners;
    std::vector<MouseListener> mouseExitListeners;
    std::vector<MouseListener> mouseMoveListeners;
    std::vector<MouseUpListener> mouseUpListeners;     // run newest first
    std::vector<MouseDownListener> mouseDownListeners;
    std::vector<MouseDragListener> mouseDragListeners;
    std::vector<KeyListener> keyDownListeners;
    std::vector<KeyListener> keyUpListeners;
    std::vector<EventListener*> eventListeners;        // not owned

    bool visible = true;
    bool enabled = true;
    BoundsChangedListener boundsChangedListener;  // fired by Component::setBounds; empty: none
    InputMods recordMods;   // of the record being delivered; handed to every EventListener

    void addMouseEnterListener(MouseListener l) { mouseEnterListeners.push_back(l); }
    void addMouseExitListener(MouseListener l) { mouseExitListeners.push_back(l); }
    void addMouseMoveListener(MouseListener l) { mouseMoveListeners.push_back(l); }
    void addMouseDownListener(MouseDownListener l) { mouseDownListeners.push_back(l); }
    void addMouseUpListener(MouseUpListener l) { mouseUpListeners.push_back(l); }
    void addMouseDragListener(MouseDragListener l) { mouseDragListeners.push_back(l); }
    void addKeyDownListener(KeyListener l) { keyDownListeners.push_back(l); }
    void addKeyUpListener(KeyListener l) { keyUpListeners.push_back(l); }
    void addEventListener(EventListener* l) { eventListeners.push_back(l); }

    void clearMouseEnterListener() { mouseEnterListeners.clear(); }
    void clearMouseExitListener() { mouseExitListeners.clear(); }
    void clearMouseDownListener() { mouseDownListeners.clear(); }
    void clearMouseUpListener() { mouseUpListeners.clear(); }

    // Plain accessors: they fire nothing and request no repaint.
    void setVisible(bool v) { visible = v; }
    bool isVisible() const { return visible; }
    void setEnabled(bool e) { enabled = e; }
    bool isEnabled() const { return enabled; }

    // One raw record in this object's own frame. Returns whether the point is
    // inside; a hidden or disabled object returns false, fires nothing and
    // keeps its state. A pressed object gets a drag for every record that
    // reaches it, inside or not, before anything else; any button's release
    // ends the press. mods travel with the record to the EventListeners.
    virtual bool fireMouseEvent(int x, int y, int button, int type, InputMods mods = {});
    virtual void fireMouseEnterEvent(int x, int y);
    virtual void fireMouseExitEvent(int x, int y);
    virtual void fireMouseMoveEvent(int x, int y);
    virtual void fireMouseDownEvent(int x, int y, int button);
    virtual void fireMouseUpEvent(int x, int y, int button, int dx, int dy, bool wasDragged);
    virtual void fireMouseDragEvent(int x, int y, int dxFromPress, int dyFromPress,
                                    int dxFromLast, int dyFromLast);
    // KEY_DOWN runs the key-down lists, KEY_UP the key-up lists, other states
    // nothing. Ignores visible and enabled.
    virtual void fireKeyEvent(int key, int state, InputMods mods = {});
    // The wheel turned steps notches (negative: up, away from the user) over
    // (x, y). Goes to the EventListeners when the object is shown, enabled and
    // the point inside; returns whether it went.
    virtual bool fireMouseWheelEvent(int x, int y, int steps, InputMods mods = {});
    // This class has no area.
    virtual bool isPointIn(int x, int y);
};

}  // namespace ovek
