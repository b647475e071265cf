#pragma once
// A node of the widget tree: an EventObject with a rectangle in its parent's
// coordinates, a parent and an ordered list of children. It routes raw mouse
// records down the tree, topmost child first, and paints its visible children
// in the order they were added.
#include <vector>

#include "image/graphics.h"
#include "toolkit/event_object.h"

namespace ovek {

class Component : public EventObject {
public:
    Component() = default;
    // Frees only the list; children are not owned and are left as they are.
    ~Component() override = default;

    std::vector<Component*> children;   // insertion order = painting order; not owned
    Component* parent = nullptr;
    // Rectangle in the parent's frame. Bounds never set leave (0, 0, 0, 0): the
    // component paints from its parent's origin but is never hit.
    int left = 0;     // pixels
    int top = 0;      // pixels
    int width = 0;    // pixels
    int height = 0;   // pixels

    // Appends child (moving it to the end if it is already here) and takes it
    // from any previous parent. Null, this component itself and any of its
    // ancestors are refused, since they would make the tree a cycle.
    void add(Component* child);
    // Erases child from the list and clears its parent; nothing if absent.
    void remove(Component* child);

    Component* getComponentAt(int i) const;   // null outside [0, count)
    int getComponentCount() const { return int(children.size()); }
    Component* getParent() const { return parent; }
    int getLeft() const { return left; }
    int getTop() const { return top; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }

    // Routes the record to every child, last added first, in the child's frame;
    // once one reports a hit the children below get type -1 (move-like, so
    // their enter and exit still follow the pointer), except that a release
    // still reaches, as a release, a child whose subtree holds a press. Then
    // the component's own handling, with the type it received; returns its
    // result.
    bool fireMouseEvent(int x, int y, int button, int type, InputMods mods = {}) override;
    // The wheel goes to the topmost visible child under the point, in its
    // frame, and only to it; to this component when no child takes it.
    bool fireMouseWheelEvent(int x, int y, int steps, InputMods mods = {}) override;
    // 0 <= x < width and 0 <= y < height, in the own frame.
    bool isPointIn(int x, int y) override;
    // Stores the rectangle; fires boundsChangedListener only when a value
    // changed.
    virtual void setBounds(int newLeft, int newTop, int newWidth, int newHeight);
    // Paints the visible children translated to their positions; hidden ones
    // are skipped with their subtree. Draws nothing itself and does not clip.
    virtual void paint(Graphics* g);

    // This component or one below it is pressed.
    bool holdsPress() const;
};

}  // namespace ovek
