#include "gl/overlay_painter.h"

#include <GL/gl.h>

namespace ovek {

namespace {

GLenum modeOf(OverlayShape::Kind kind)
{
    switch (kind) {
    case OverlayShape::LineLoop:
        return GL_LINE_LOOP;
    case OverlayShape::Quads:
        return GL_QUADS;
    case OverlayShape::Lines:
        break;
    }
    return GL_LINES;
}

void emit(GLenum mode, const std::vector<OverlayVertex>& vertices)
{
    glBegin(mode);
    for (const OverlayVertex& v : vertices)
        glVertex3f(v.x, v.y, v.z);
    glEnd();
}

}  // namespace

void drawOverlayShapes(const std::vector<OverlayShape>& shapes)
{
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LINE_BIT |
                 GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(1);
    for (const OverlayShape& s : shapes) {
        if (s.blended)
            glEnable(GL_BLEND);
        else
            glDisable(GL_BLEND);
        glColor4f(s.color[0], s.color[1], s.color[2], s.color[3]);
        emit(modeOf(s.kind), s.vertices);
    }
    glPopAttrib();
}

void drawOverlayLineLoop(const std::vector<OverlayVertex>& vertices)
{
    emit(GL_LINE_LOOP, vertices);
}

void drawOverlayPicture(const uint32_t* pixels, int width, int height, int x, int y)
{
    GLint view[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, view);
    // The raster position must lie inside the view, or nothing is drawn.
    if (!pixels || width <= 0 || height <= 0 || x < 0 || y < 0 || x >= view[2] || y >= view[3])
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_PIXEL_MODE_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, view[2], 0, view[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    // Rows top first: drawn downwards from the top-left corner.
    glRasterPos2i(x, view[3] - y);
    glPixelZoom(1, -1);
    // 0x00RRGGBB in memory order is blue, green, red, unused.
    glDrawPixels(width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopClientAttrib();
    glPopAttrib();
}

}  // namespace ovek
