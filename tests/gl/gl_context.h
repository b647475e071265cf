#pragma once
// An off-screen OpenGL context (OSMesa) set up with the pane's view: viewport
// over the whole buffer, 60 degree perspective, near 1, far 30, the model moved
// 3.6 away from the eye. No display is needed.
#include <GL/osmesa.h>
#include <GL/gl.h>

#include <vector>

#include "gl/gl_mesh_painter.h"
#include "gl/gl_view_backend.h"
#include "gl/pane_gl.h"

class OffscreenView {
public:
    OffscreenView(int width, int height) : width_(width), height_(height), rgba_(size_t(width) * height)
    {
        context_ = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
        installGlViewBackend();
        if (context_ && OSMesaMakeCurrent(context_, rgba_.data(), GL_UNSIGNED_BYTE, width, height)) {
            ready_ = true;
            installGlMeshPainter();   // a new context: what meshes compiled before is not here
            setPaneProjection(width, height);
            glEnable(GL_DEPTH_TEST);
            glDepthFunc(GL_LEQUAL);
            clear();
        }
    }
    ~OffscreenView()
    {
        if (context_)
            OSMesaDestroyContext(context_);
    }
    OffscreenView(const OffscreenView&) = delete;
    OffscreenView& operator=(const OffscreenView&) = delete;

    bool ready() const { return ready_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void clear()
    {
        glClearColor(0, 0, 0, 0);
        glClearDepth(1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // A square in the plane z (GL coordinates) from (x0, y0) to (x1, y1).
    void drawSquare(double x0, double y0, double x1, double y1, double z)
    {
        glBegin(GL_QUADS);
        glVertex3d(x0, y0, z);
        glVertex3d(x1, y0, z);
        glVertex3d(x1, y1, z);
        glVertex3d(x0, y1, z);
        glEnd();
        glFinish();
    }

private:
    int width_;
    int height_;
    std::vector<unsigned int> rgba_;
    OSMesaContext context_ = nullptr;
    bool ready_ = false;
};
