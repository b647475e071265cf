#pragma once
// Base of every object in the OpenGL view that reacts to the mouse: turns the
// raw records the pane forwards into enter, exit, down, up and drag
// notifications, hit-testing through its own isPointIn in pane pixels.
#include <vector>

#include "base/pointer_tracker.h"

class Event3D : public ovek::PointerState {
public:
    using EnterExitListener = void (*)(int x, int y, Event3D* source);
    // dx, dy: offsets from the press position.
    using UpListener = void (*)(int x, int y, int button, Event3D* source, int dx, int dy,
                                bool dragged);
    using DownListener = void (*)(int x, int y, int button, Event3D* source);
    using DragListener = void (*)(int x, int y, int dxFromPress, int dyFromPress, int dxFromLast,
                                  int dyFromLast, Event3D* source);
    using KeyListener = void (*)(int, int, int, Event3D* source);

    std::vector<EnterExitListener> mouseEnterListeners;
    std::vector<EnterExitListener> mouseExitListeners;
    std::vector<UpListener> mouseUpListeners;        // called last added first
    std::vector<DownListener> mouseDownListeners;
    std::vector<DragListener> mouseDragListeners;
    std::vector<KeyListener> keyPressListeners;
    bool visible = true;
    bool enabled = true;

    Event3D() = default;
    virtual ~Event3D() = default;
    Event3D(const Event3D&) = delete;
    Event3D& operator=(const Event3D&) = delete;

    // type: 0 down, 1 up, anything else a move; x, y in pane pixels.
    virtual void fireMouseEvent(int x, int y, int button, int type);
    // Passes the three values to every key listener, even when hidden or disabled.
    virtual void fireKeyEvent(int a, int b, int c);
    virtual bool isPointIn(double x, double y);
    virtual void show() {}

    void addMouseEnterListener(EnterExitListener f) { mouseEnterListeners.push_back(f); }
    void addMouseExitListener(EnterExitListener f) { mouseExitListeners.push_back(f); }
    void addMouseDownListener(DownListener f) { mouseDownListeners.push_back(f); }
    void addMouseUpListener(UpListener f) { mouseUpListeners.push_back(f); }
    void addMouseDragListener(DragListener f) { mouseDragListeners.push_back(f); }
    void addKeyPressListener(KeyListener f) { keyPressListeners.push_back(f); }
    void clearMouseEnterListener() { mouseEnterListeners.clear(); }
    void clearMouseExitListener() { mouseExitListeners.clear(); }
    void clearMouseDownListener() { mouseDownListeners.clear(); }
    void clearMouseUpListener() { mouseUpListeners.clear(); }

    void setVisible(bool v) { visible = v; }
    bool isVisible() const { return visible; }
    void setEnabled(bool e) { enabled = e; }
    bool isEnabled() const { return enabled; }

    // Draws the object through show() when it is visible.
    void display();
};
