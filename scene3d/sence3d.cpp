#include "scene3d/sence3d.h"

#include <cstddef>

Event3D* Sence3D::getEvent(int i) const
{
    if (i < 0 || size_t(i) >= events.size())
        return nullptr;
    return events[size_t(i)];
}

void Sence3D::display()
{
    if (beforeDisplay)
        beforeDisplay();
    for (Event3D* e : events)
        e->display();
    if (afterDisplay)
        afterDisplay();
}
