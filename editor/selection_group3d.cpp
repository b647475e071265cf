#include "editor/selection_group3d.h"

#include "base/input_codes.h"

void SelectionGroup3D::setSelectedEmissionColor(double r, double g, double b)
{
    for (SelectComponent3D* s : selections)
        s->setSelectedEmissionColor(r, g, b);
}

void SelectionGroup3D::setUnselectedEmissionColor(double r, double g, double b)
{
    for (SelectComponent3D* s : selections)
        s->setUnselectedEmissionColor(r, g, b);
}

void SelectionGroup3D::setSelected(SelectComponent3D* s)
{
    if (!s || s == selected)
        return;
    if (selected)
        selected->setSelected(false);
    SelectComponent3D* previous = selected;
    selected = s;
    s->setSelected(true);
    ovek::runOldestFirst(selectListeners, this, previous, s);
}

void SelectionGroup3D::fireMouseEvent(int x, int y, int button, int type)
{
    for (SelectComponent3D* s : selections)
        s->fireMouseEvent(x, y, button, type);
    if (type != ovek::MOUSE_DOWN)
        return;
    for (SelectComponent3D* s : selections)
        if (s->isPointIn(x, y)) {
            if (s == selected)
                return;
            // Unlike setSelected, a press tells the hit member first and only
            // then changes the group's selection: its listeners still see the
            // previous one as the group's.
            if (selected)
                selected->setSelected(false);
            s->setSelected(true);
            SelectComponent3D* previous = selected;
            selected = s;
            ovek::runOldestFirst(selectListeners, this, previous, s);
            return;
        }
}

void SelectionGroup3D::show()
{
    for (SelectComponent3D* s : selections)
        if (s != selected)
            s->show();
    if (selected)
        selected->show();
}
