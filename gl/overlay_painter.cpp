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

}  // namespace ovek
