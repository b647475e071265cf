#include "gl/gl_pane_renderer.h"

#include "gl/gl_mesh_painter.h"
#include "gl/gl_view_backend.h"
#include "gl/overlay_painter.h"
#include "gl/pane_gl.h"

namespace ovek {

void GlPaneRenderer::initContext()
{
    installGlViewBackend();
    installGlMeshPainter();
    SceneInit();
}

void GlPaneRenderer::setupLighting()
{
    setupPaneLighting();
}

void GlPaneRenderer::setProjection(int w, int h)
{
    setPaneProjection(w, h);
}

void GlPaneRenderer::beginPaint()
{
    beginPanePaint();
}

void GlPaneRenderer::endPaint()
{
    endPanePaint();
}

void GlPaneRenderer::drawOverlay(const std::vector<OverlayShape>& shapes)
{
    drawOverlayShapes(shapes);
}

void GlPaneRenderer::drawPicture(const uint32_t* pixels, int width, int height, int x, int y)
{
    drawOverlayPicture(pixels, width, height, x, y);
}

void GlPaneRenderer::drawLineLoop(const std::vector<OverlayVertex>& vertices)
{
    drawOverlayLineLoop(vertices);
}

}  // namespace ovek
