#pragma once
// Driving the screens on a fake window system: a renderer for the OpenGL
// pane it never makes, and clicks delivered to the root as the window would.
#include <vector>

#include "scene3d/pane_renderer.h"
#include "toolkit/platform.h"

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

// A press and release at a point of the root, as the window reports them.
inline void clickAt(int x, int y)
{
    ovek::Component* root = ovek::MYPLAT.getRootComponent();
    root->fireMouseEvent(x, y, ovek::MOUSE_BUTTON1, ovek::MOUSE_MOVE);
    root->fireMouseEvent(x, y, ovek::MOUSE_BUTTON1, ovek::MOUSE_DOWN);
    root->fireMouseEvent(x, y, ovek::MOUSE_BUTTON1, ovek::MOUSE_UP);
}

inline void click(const ovek::Component& c)
{
    clickAt(c.left + c.width / 2, c.top + c.height / 2);
}
