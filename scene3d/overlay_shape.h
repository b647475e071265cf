#pragma once
// What the editor draws over the model (selection rectangle, handles, the
// brush outline), in model coordinates, and the drawing service that hands it
// to the graphics library. The editor decides what to draw; the OpenGL layer
// implements the painter.
#include <cstdint>
#include <vector>

namespace ovek {

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

class OverlayPainter {
public:
    virtual ~OverlayPainter() = default;
    // The shapes in order on top of the scene: no lighting, no depth test, no
    // depth writes, one-pixel lines, blending (source alpha, one) only for the
    // shapes that ask for it. Every state it changes is restored afterwards.
    virtual void drawOverlay(const std::vector<OverlayShape>& shapes) = 0;
    // One line loop through the vertices in the current colour and state.
    virtual void drawLineLoop(const std::vector<OverlayVertex>& vertices) = 0;

    // A picture over everything, pixel for pixel: width x height 0x00RRGGBB
    // values, top row first, its top-left corner at pane pixel (x, y). Every
    // state it changes is restored. Painters that cannot draw pictures skip it.
    virtual void drawPicture(const uint32_t* pixels, int width, int height, int x, int y)
    {
        (void)pixels, (void)width, (void)height, (void)x, (void)y;
    }
};

}  // namespace ovek
