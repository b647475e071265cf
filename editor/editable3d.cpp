#include "editor/editable3d.h"

Editable3D::Editable3D()
{
    addMouseDownListener(mouse_down);
    addMouseUpListener(mouse_up);
}

void Editable3D::mouse_down(int, int, int button, Event3D* source)
{
    if (auto* mesh = dynamic_cast<Editable3D*>(source))
        mesh->editEventInfo.pressedButton = button;
}

void Editable3D::mouse_up(int, int, int, Event3D* source, int, int, bool)
{
    if (auto* mesh = dynamic_cast<Editable3D*>(source))
        mesh->editEventInfo.pressedButton = 0;
}
