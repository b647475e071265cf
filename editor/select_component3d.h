#pragma once
// A mesh that can be selected, drawn with one emission colour while selected
// and another while not.
#include <vector>

#include "mesh/component3d.h"

class SelectComponent3D : public Component3D {
public:
    using SelectListener = void (*)(SelectComponent3D* source);

    bool selected = false;
    float unselectedEmission[4] = {0, 0, 0, 0};   // r, g, b used; a unused
    float selectedEmission[4] = {0, 0, 0, 0};
    std::vector<SelectListener> selectListeners;   // called on every setSelected

    // Store the colour; it shows at once only when it belongs to the current state.
    void setSelectedEmissionColor(double r, double g, double b);
    void setUnselectedEmissionColor(double r, double g, double b);
    // Tells the listeners, then shows the new state's colour, even when the
    // state did not change.
    void setSelected(bool s);
    bool isSelected() const { return selected; }
    void addSelectListener(SelectListener f) { selectListeners.push_back(f); }
};
