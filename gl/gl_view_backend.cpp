#include "gl/gl_view_backend.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "scene3d/window_info.h"

void GlViewBackend::readMatrices(int viewport[4], double modelview[16], double projection[16])
{
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
}

int GlViewBackend::project(double x, double y, double z, const double modelview[16],
                           const double projection[16], const int viewport[4], double* wx,
                           double* wy, double* wz)
{
    return gluProject(x, y, z, modelview, projection, viewport, wx, wy, wz);
}

int GlViewBackend::unProject(double wx, double wy, double wz, const double modelview[16],
                             const double projection[16], const int viewport[4], double* x,
                             double* y, double* z)
{
    return gluUnProject(wx, wy, wz, modelview, projection, viewport, x, y, z);
}

void GlViewBackend::readDepth(int x, int y, int w, int h, bool fromFront, float* out)
{
    if (fromFront)
        glReadBuffer(GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(x, y, w, h, GL_DEPTH_COMPONENT, GL_FLOAT, out);
}

void installGlViewBackend()
{
    static GlViewBackend backend;
    WINDOW_INFO.backend = &backend;
}
