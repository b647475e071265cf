#pragma once
// A scene: 3D objects drawn and fed together in insertion order, with optional
// hooks before and after drawing.
#include <vector>

#include "scene3d/event3d.h"

class Sence3D {
public:
    std::vector<Event3D*> events;              // in insertion order; not owned
    void (*beforeDisplay)() = nullptr;         // called first by display when set
    void (*afterDisplay)() = nullptr;          // called last by display when set

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
