#pragma once
// What the view's projection state needs from the graphics library. The
// OpenGL layer installs the real one; the layers below it never include an
// OpenGL header and reach the context only through this.

class ViewBackend {
public:
    virtual ~ViewBackend() = default;
    // The current context's viewport (x, y, width, height) and its model-view
    // and projection matrices, column-major.
    virtual void readMatrices(int viewport[4], double modelview[16], double projection[16]) = 0;
    // gluProject / gluUnProject with the given matrices; non-zero on success.
    virtual int project(double x, double y, double z, const double modelview[16],
                        const double projection[16], const int viewport[4], double* wx,
                        double* wy, double* wz) = 0;
    virtual int unProject(double wx, double wy, double wz, const double modelview[16],
                          const double projection[16], const int viewport[4], double* x,
                          double* y, double* z) = 0;
    // Depths (0 near .. 1 far) of the w x h pixels from column x, row y
    // (OpenGL's bottom-up rows), row by row into out. fromFront reads the
    // frame last shown; otherwise the buffer the context reads by default.
    virtual void readDepth(int x, int y, int w, int h, bool fromFront, float* out) = 0;
};
