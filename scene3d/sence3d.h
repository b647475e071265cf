#pragma once
// A scene: 3D objects drawn and fed together in insertion order, with optional
// hooks before and after drawing.
#include <functional>
#include <vector>

#include "scene3d/event3d.h"

class Sence3D {
public:
    std::vector<Event3D*> events;              // in insertion order; not owned
    // Called first and last by display when set; each captures its owner.
    // Hooks draw; they do not change what they draw.
    std::function<void()> beforeDisplay;
    std::function<void()> afterDisplay;

    Sence3D() = default;
    Sence3D(const Sence3D&) = delete;
    Sence3D& operator=(const Sence3D&) = delete;

    void addEvent(Event3D* e) { events.push_back(e); }
    int getEventCount() const { return int(events.size()); }
    // The i-th object, or null when i is out of range.
    Event3D* getEvent(int i) const;
    // Draws every visible object between the two hooks; the caller has set up
    // the OpenGL state.
    void display();
};
