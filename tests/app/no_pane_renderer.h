#pragma once
// The screens' renderer for a fake window system, which makes no OpenGL pane:
// nothing is ever drawn with it.
#include <vector>

#include "scene3d/pane_renderer.h"

class NoPaneRenderer : public ovek::PaneRenderer {
public:
    void initContext() override {}
    void setupLighting() override {}
    void setProjection(int, int) override {}
    void beginPaint() override {}
    void endPaint() override {}
    void drawOverlay(const std::vector<ovek::OverlayShape>&) override {}
    void drawLineLoop(const std::vector<ovek::OverlayVertex>&) override {}
};
