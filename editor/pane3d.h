#pragma once
// The component that shows the 3D scenes. It draws into a native child window
// with the program's OpenGL context, redraws its scenes whenever the component
// tree is painted, and forwards every mouse record it receives to every 3D
// object of its scenes.
#include <vector>

#include "scene3d/pane_renderer.h"
#include "scene3d/sence3d.h"
#include "toolkit/component.h"
#include "toolkit/native_pane.h"
#include "toolkit/platform.h"

namespace ovek {

class Pane3D : public Component {
public:
    // nativeWindow: made by the window system, lives as long as the program;
    // renderer: the graphics library's side of drawing, outlives the pane.
    Pane3D(NativePane3D* nativeWindow, PaneRenderer& renderer, int w, int h);
    // Frees only the scene list. The native window calls paint when exposed,
    // so a pane lives as long as its window (the program's whole run).
    ~Pane3D() override = default;

    NativePane3D* window = nullptr;   // not owned
    PaneRenderer* renderer = nullptr;  // not owned
    std::vector<Sence3D*> scenes;     // drawn and fed in insertion order; not owned

    // Sets up the context (depth test, lighting, the view for w x h)
    // and makes the program's meshes and projection state use OpenGL.
    void init(NativePane3D* nativeWindow, PaneRenderer& paneRenderer, int w, int h);
    // Resizing moves the native window and sets the view and the projection
    // state; a move alone changes only the component. A size that is not
    // positive keeps the last view.
    void setBounds(int x, int y, int w, int h) override;
    // Draws every scene into the native window and shows the frame; nothing
    // while the size is not positive. The drawing context is not used.
    void paint(Graphics* g) override;
    void addSence(Sence3D* scene) { scenes.push_back(scene); }
    // The component's own routing, then the record, unchanged, to every 3D
    // object, inside the pane or not. A hidden pane drops the records inside
    // its rectangle. True when the pane is visible and the point inside.
    bool fireMouseEvent(int x, int y, int button, int type, InputMods mods = {}) override;
};

// A pane at (x, y), w x h, in a new native child window of the root window,
// registered with the platform so the back buffer is never copied over it. Not
// added to any component: the caller does that. Null when the window system
// cannot make the window.
Pane3D* createPane3D(int x, int y, int w, int h, PaneRenderer& renderer,
                     Platform& platform = MYPLAT);

}  // namespace ovek
