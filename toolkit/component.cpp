#include "toolkit/component.h"

#include <algorithm>

namespace ovek {

void Component::add(Component* child)
{
    if (!child)
        return;
    for (const Component* c = this; c; c = c->parent)
        if (c == child)
            return;
    children.push_back(child);
    if (child->parent)
        child->parent->remove(child);  // from here too: erases the older entry
    child->parent = this;
}

void Component::remove(Component* child)
{
    const auto it = std::find(children.begin(), children.end(), child);
    if (it == children.end())
        return;
    children.erase(it);
    child->parent = nullptr;
}

Component* Component::getComponentAt(int i) const
{
    return i >= 0 && size_t(i) < children.size() ? children[size_t(i)] : nullptr;
}

bool Component::holdsPress() const
{
    if (pressed)
        return true;
    for (const Component* child : children)
        if (child->holdsPress())
            return true;
    return false;
}

bool Component::fireMouseEvent(int x, int y, int button, int type, InputMods mods)
{
    int t = type;
    // A listener may change the tree while the record travels: re-check the index.
    for (size_t i = children.size(); i-- > 0;) {
        if (i >= children.size())
            continue;
        Component* child = children[i];
        // A release ends the press of whatever holds one, even below a hit:
        // otherwise that press would outlive the button and drag on.
        const int childType = t == -1 && type == MOUSE_UP && child->holdsPress() ? type : t;
        if (child->fireMouseEvent(x - child->left, y - child->top, button, childType, mods))
            t = -1;
    }
    return EventObject::fireMouseEvent(x, y, button, type, mods);
}

bool Component::fireMouseWheelEvent(int x, int y, int steps, InputMods mods)
{
    if (!enabled || !visible)
        return false;
    // A listener may change the tree: re-check the index.
    for (size_t i = children.size(); i-- > 0;) {
        if (i >= children.size())
            continue;
        Component* child = children[i];
        if (child->fireMouseWheelEvent(x - child->left, y - child->top, steps, mods))
            return true;
    }
    return EventObject::fireMouseWheelEvent(x, y, steps, mods);
}

bool Component::isPointIn(int x, int y)
{
    return x >= 0 && x < width && y >= 0 && y < height;
}

void Component::setBounds(int newLeft, int newTop, int newWidth, int newHeight)
{
    const bool changed =
        newLeft != left || newTop != top || newWidth != width || newHeight != height;
    left = newLeft;
    top = newTop;
    width = newWidth;
    height = newHeight;
    if (changed && boundsChangedListener)
        boundsChangedListener(left, top, width, height, this);
}

void Component::paint(Graphics* g)
{
    for (size_t i = 0; i < children.size(); ++i) {
        Component* child = children[i];
        if (!child->visible)
            continue;
        const int dx = child->left, dy = child->top;
        g->transform(dx, dy);
        child->paint(g);
        g->transform(-dx, -dy);
    }
}

}  // namespace ovek
