#pragma once
// What the 3D pane needs from the graphics library to show its scenes, so that
// the pane itself includes no OpenGL header. The OpenGL layer implements it;
// every call works on the context current on the calling thread.
#include "scene3d/overlay_shape.h"

namespace ovek {

class PaneRenderer : public OverlayPainter {
public:
    // Makes the projection state and the meshes use this library, and sets the
    // context's fixed state (shading, clear colour, depth test).
    virtual void initContext() = 0;
    // The light and material the meshes are lit with, placed in the current
    // view: after the first setProjection.
    virtual void setupLighting() = 0;
    // The view of the model box for a w x h pane; h must be positive.
    virtual void setProjection(int w, int h) = 0;
    // Around drawing the scenes: a cleared, lit frame, then everything as it was.
    virtual void beginPaint() = 0;
    virtual void endPaint() = 0;
};

}  // namespace ovek
