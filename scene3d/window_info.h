#pragma once
// Projection state of the program's single OpenGL view: converts between model
// coordinates and the pane's window pixels (origin top-left, y downwards).
// The conversions go through the installed backend, which needs the view's
// context current; without a backend nothing can be placed or read.
#include "scene3d/view_backend.h"

class WINDOW_INFO_CLASS {
public:
    int viewport[4] = {};     // x, y, width, height as OpenGL reports them; set by updateMatrix
    double modelview[16] = {};   // column-major, cached by updateMatrix
    double projection[16] = {};  // column-major, cached by updateMatrix
    void* focus = nullptr;    // the Event3D that last took a press inside it
    ViewBackend* backend = nullptr;   // the graphics library's side; not owned
    int transOffsetX = 1;     // pane width once the pane has a size
    int transOffsetY = 1;     // pane height
    int transScaleX = 1;      // pane width
    int transScaleY = 1;      // pane height

    WINDOW_INFO_CLASS() = default;
    WINDOW_INFO_CLASS(const WINDOW_INFO_CLASS&) = delete;
    WINDOW_INFO_CLASS& operator=(const WINDOW_INFO_CLASS&) = delete;

    // Caches viewport, model-view and projection of the current context.
    void updateMatrix();
    // Depths of a pixel block (OpenGL rows), background (1) without a backend.
    void readDepth(int x, int y, int w, int h, bool fromFront, float* out);

    // Model point to window pixels and depth (0 near .. 1 far). The model y is
    // mirrored so that OpenGL's bottom-up row comes out as the top-down row.
    // Returns the projection's success.
    int getWindowPos(double x, double y, double z, double* wx, double* wy, double* wz);
    // Window point and depth back to model space; the inverse of getWindowPos
    // while the matrices stay the same.
    int getRealPos(double wx, double wy, double wz, double* x, double* y, double* z);
    // The same two conversions with the cached matrices.
    int getWindowPosQuick(double x, double y, double z, double* wx, double* wy, double* wz);
    int getRealPosQuick(double wx, double wy, double wz, double* x, double* y, double* z);

    // Whether the model point is not hidden by other geometry in the frame last
    // shown (front buffer). Expects the cache to be current for this point.
    bool isVisible(double x, double y, double z);

    // Pane column / row to -1 .. 1.
    double getTransX(int a) const;
    double getTransY(int a) const;

    bool hasFocus(void* o) const { return o == focus; }
    void setFocus(void* o) { focus = o; }
};

// The one projection state of the program.
extern WINDOW_INFO_CLASS WINDOW_INFO;
