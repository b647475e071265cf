#include "editor/pane3d.h"

#include "scene3d/window_info.h"

namespace ovek {

Pane3D::Pane3D(NativePane3D* nativeWindow, PaneRenderer& paneRenderer, int w, int h)
{
    init(nativeWindow, paneRenderer, w, h);
}

void Pane3D::init(NativePane3D* nativeWindow, PaneRenderer& paneRenderer, int w, int h)
{
    window = nativeWindow;
    renderer = &paneRenderer;
    window->makeCurrent();
    renderer->initContext();
    setBounds(0, 0, w, h);
    renderer->setupLighting();
    window->repaint = [this] { paint(nullptr); };
}

void Pane3D::setBounds(int x, int y, int w, int h)
{
    const bool sizeChanged = w != width || h != height;
    Component::setBounds(x, y, w, h);
    if (sizeChanged)
        window->place(x, y, w, h);
    // No view can have an empty or negative side (the aspect would be infinite
    // or negative): the last valid one stays until a usable size comes.
    if (w <= 0 || h <= 0)
        return;
    WINDOW_INFO.transScaleX = w;
    WINDOW_INFO.transScaleY = h;
    window->makeCurrent();
    renderer->setProjection(w, h);
    WINDOW_INFO.transOffsetX = w;
    WINDOW_INFO.transOffsetY = h;
}

void Pane3D::paint(Graphics*)
{
    if (width <= 0 || height <= 0)
        return;
    window->makeCurrent();
    renderer->beginPaint();
    for (size_t i = 0; i < scenes.size(); ++i)
        scenes[i]->display();
    renderer->endPaint();
    window->swapBuffers();
}

bool Pane3D::fireMouseEvent(int x, int y, int button, int type, InputMods mods)
{
    const bool inside = isPointIn(x, y);
    if (!visible && inside)
        return false;
    // Listeners and 3D objects project points and read depth.
    window->makeCurrent();
    Component::fireMouseEvent(x, y, button, type, mods);
    // Walked by index: a listener may add objects or scenes while this runs.
    for (size_t i = 0; i < scenes.size(); ++i)
        for (size_t j = 0; j < scenes[i]->events.size(); ++j)
            scenes[i]->events[j]->fireMouseEvent(x, y, button, type);
    return visible && inside;
}

Pane3D* createPane3D(int x, int y, int w, int h, PaneRenderer& renderer, Platform& platform)
{
    NativePane3D* native = platform.windows ? platform.windows->createPane3D(x, y, w, h) : nullptr;
    if (!native)
        return nullptr;
    auto* pane = new Pane3D(native, renderer, w, h);
    pane->setBounds(x, y, w, h);
    // init's first setBounds took the window to the origin, and this one keeps
    // the size, so it would not move it back.
    native->place(x, y, w, h);
    platform.addEmptyComponent(pane);
    return pane;
}

}  // namespace ovek
