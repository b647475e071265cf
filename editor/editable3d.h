#pragma once
// The mesh type the model editor edits: a plain mesh that also remembers which
// mouse button is held down on it.
#include "mesh/component3d.h"

struct EditEventInfo {
    int pressedButton = 0;   // button held down on the owning mesh; 0 when none
};

class Editable3D : public Component3D {
public:
    int editState = 3;            // changed only through setEditState
    EditEventInfo editEventInfo;

    // Listens to its own presses and releases.
    Editable3D();

    // The Editable3D whose press or release this is records the button or
    // forgets it; any other source is ignored.
    static void mouse_down(int x, int y, int button, Event3D* source);
    static void mouse_up(int x, int y, int button, Event3D* source, int dx, int dy, bool dragged);

    void setEditState(int s) { editState = s; }
    int getEditState() const { return editState; }
    static int getCurrentState() { return 0; }
    EditEventInfo* getEditEventInfo() { return &editEventInfo; }
};
