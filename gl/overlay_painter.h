#pragma once
// Drawing of the model editor's overlay (selection rectangle, handles) and of
// the brush outline. The editor decides what to draw in model coordinates;
// this file only knows how to hand it to OpenGL.
#include <vector>

struct OverlayVertex {
    float x = 0;   // model space, drawn as given
    float y = 0;
    float z = 0;
};

struct OverlayShape {
    enum Kind { Lines, LineLoop, Quads };
    Kind kind = Lines;
    float color[4] = {0, 0, 0, 1};   // r, g, b, a, 0 .. 1
    bool blended = false;            // added onto what is there, weighted by alpha
    std::vector<OverlayVertex> vertices;
};

// Draws the shapes in order on top of the scene: no lighting, no depth test,
// no depth writes, one-pixel lines, blending (source alpha, one) only for the
// shapes that ask for it. Every state it changes is restored afterwards.
void drawOverlay(const std::vector<OverlayShape>& shapes);

// One line loop through the vertices in the current colour and state.
void drawLineLoop(const std::vector<OverlayVertex>& vertices);
