#pragma once
// Press and drag tracking shared by every pointer-sensitive object, the
// toolkit's components and the 3D view's objects alike: one state value and
// one order in which a raw record becomes enter, exit, move, down, up and drag
// notifications, so the two kinds of object cannot drift apart.
#include <cstddef>

namespace ovek {

struct PointerState {
    bool mouseIn = false;   // the pointer was inside at the last record
    bool pressed = false;   // a press landed inside and no release reached us since
    bool dragged = false;   // the pointer left the press position since the press
    int pressX = 0;         // position of the press, own frame
    int pressY = 0;
    int lastX = 0;          // position at the previous record while pressed
    int lastY = 0;
};

// The notifications one record may raise; the owner decides what they call.
class PointerSink {
public:
    virtual bool hitTest(int x, int y) = 0;
    virtual void drag(int x, int y, int dxFromPress, int dyFromPress, int dxFromLast,
                      int dyFromLast) = 0;
    virtual void enter(int x, int y) = 0;
    virtual void exit(int x, int y) = 0;
    // After a record inside that leaves the object unpressed.
    virtual void move(int x, int y) = 0;
    virtual void down(int x, int y, int button) = 0;
    // Offsets from the press, and whether the pointer moved while pressed.
    virtual void up(int x, int y, int button, int dx, int dy, bool dragged) = 0;

protected:
    ~PointerSink() = default;
};

// One record (type: 0 down, 1 up, anything else a move) for an enabled,
// visible object. A pressed object gets a drag for every record, inside or
// not, before anything else; any button's release ends the press, with one up
// notification whether the release lands inside or outside. Offsets saturate.
// Returns whether the point is inside.
bool trackPointerRecord(PointerState& state, PointerSink& sink, int x, int y, int button,
                        int type);

// Listener lists may grow while they run (a listener adds another): they are
// walked by index and re-measured on every step.
template <typename List, typename... Args>
void runOldestFirst(const List& list, Args... args)
{
    for (size_t i = 0; i < list.size(); ++i)
        list[i](args...);
}

// Newest first; a listener that shortens or clears the list ends the walk safely.
template <typename List, typename... Args>
void runNewestFirst(const List& list, Args... args)
{
    for (size_t i = list.size(); i-- > 0;)
        if (i < list.size())
            list[i](args...);
}

}  // namespace ovek
