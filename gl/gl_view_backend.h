#pragma once
// The view's projection and depth read-back through OpenGL and GLU.
#include "scene3d/view_backend.h"

class GlViewBackend : public ViewBackend {
public:
    void readMatrices(int viewport[4], double modelview[16], double projection[16]) override;
    int project(double x, double y, double z, const double modelview[16],
                const double projection[16], const int viewport[4], double* wx, double* wy,
                double* wz) override;
    int unProject(double wx, double wy, double wz, const double modelview[16],
                  const double projection[16], const int viewport[4], double* x, double* y,
                  double* z) override;
    void readDepth(int x, int y, int w, int h, bool fromFront, float* out) override;
};

// Makes WINDOW_INFO use OpenGL; the program's one backend lives for the whole run.
void installGlViewBackend();
