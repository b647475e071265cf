#pragma once
// A set of selectable meshes of which at most one is selected: a press over a
// member selects it. The group itself is never "inside" anything.
#include <vector>

#include "editor/select_component3d.h"
#include "scene3d/event3d.h"

class SelectionGroup3D : public Event3D {
public:
    // (group, previously selected or null, newly selected)
    using SelectListener = void (*)(SelectionGroup3D* group, SelectComponent3D* previous,
                                    SelectComponent3D* now);

    std::vector<SelectComponent3D*> selections;   // insertion order; not owned
    std::vector<SelectListener> selectListeners;
    SelectComponent3D* selected = nullptr;

    void addSelection(SelectComponent3D* s) { selections.push_back(s); }
    SelectComponent3D* getSelected() const { return selected; }
    void setSelectedEmissionColor(double r, double g, double b);
    void setUnselectedEmissionColor(double r, double g, double b);
    void addSelectListener(SelectListener f) { selectListeners.push_back(f); }
    // Selects s, a member, unless it is selected already.
    void setSelected(SelectComponent3D* s);

    // Every member gets the record through its own handling; then a press
    // selects the first member, in insertion order, that it hits.
    void fireMouseEvent(int x, int y, int button, int type) override;
    // Unselected members first, the selected one last, so it is drawn on top.
    void show() override;
};
