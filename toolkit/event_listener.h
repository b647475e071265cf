#pragma once
// An object that wants every kind of input notification of an EventObject
// derives from this and registers once with addEventListener.

#include <functional>

#include "base/input_codes.h"

namespace ovek {

class EventObject;

// Plain callbacks, one list per kind; the last pointer is the object that fires.
using MouseListener = void (*)(int x, int y, EventObject* source);  // enter, exit, move
using MouseDownListener = void (*)(int x, int y, int button, EventObject* source);
// dx, dy: offset from the press position.
using MouseUpListener = void (*)(int x, int y, int button, EventObject* source, int dx, int dy,
                                 bool dragged);
using MouseDragListener = void (*)(int x, int y, int dxFromPress, int dyFromPress,
                                   int dxFromLast, int dyFromLast, EventObject* source);
using KeyListener = void (*)(int key, EventObject* source);
// May capture its owner (the screens lay themselves out through one).
using BoundsChangedListener =
    std::function<void(int left, int top, int width, int height, EventObject* source)>;

// Each notification ends with the modifier keys of the record that raised it.
class EventListener {
public:
    virtual ~EventListener() = default;
    virtual void mouseEnter(int, int, EventObject*, InputMods = {}) {}
    virtual void mouseExit(int, int, EventObject*, InputMods = {}) {}
    virtual void mouseMove(int, int, EventObject*, InputMods = {}) {}
    virtual void mouseUp(int, int, int, EventObject*, int, int, bool, InputMods = {}) {}
    virtual void mouseDown(int, int, int, EventObject*, InputMods = {}) {}
    virtual void mouseDrag(int, int, int, int, int, int, EventObject*, InputMods = {}) {}
    virtual void keyDown(int, EventObject*, InputMods = {}) {}
    virtual void keyUp(int, EventObject*, InputMods = {}) {}
    // The wheel at (x, y): steps notches, negative away from the user (up).
    virtual void mouseWheel(int, int, int, EventObject*, InputMods = {}) {}
};

}  // namespace ovek
