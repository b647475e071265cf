#pragma once
// The 3D pane's rendering through OpenGL: the pane's fixed state, view,
// lighting and the editor's overlay.
#include "scene3d/pane_renderer.h"

namespace ovek {

class GlPaneRenderer : public PaneRenderer {
public:
    void initContext() override;
    void setupLighting() override;
    void setProjection(int w, int h) override;
    void beginPaint() override;
    void endPaint() override;
    void drawOverlay(const std::vector<OverlayShape>& shapes) override;
    void drawLineLoop(const std::vector<OverlayVertex>& vertices) override;
    void drawPicture(const uint32_t* pixels, int width, int height, int x, int y) override;
};

}  // namespace ovek
