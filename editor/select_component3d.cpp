#include "editor/select_component3d.h"

#include "base/pointer_tracker.h"

namespace {

void store(float (&to)[4], double r, double g, double b)
{
    to[0] = float(r);
    to[1] = float(g);
    to[2] = float(b);
}

}  // namespace

void SelectComponent3D::setSelectedEmissionColor(double r, double g, double b)
{
    store(selectedEmission, r, g, b);
    if (selected)
        setEmissionColor(r, g, b);
}

void SelectComponent3D::setUnselectedEmissionColor(double r, double g, double b)
{
    store(unselectedEmission, r, g, b);
    if (!selected)
        setEmissionColor(r, g, b);
}

void SelectComponent3D::setSelected(bool s)
{
    selected = s;
    ovek::runOldestFirst(selectListeners, this);
    const float* c = s ? selectedEmission : unselectedEmission;
    setEmissionColor(c[0], c[1], c[2]);
}
