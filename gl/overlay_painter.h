#pragma once
// Drawing of the model editor's overlay (selection rectangle, handles) and of
// the brush outline through OpenGL. The editor decides what to draw in model
// coordinates; this file only knows how to hand it to OpenGL.
#include <vector>

#include "scene3d/overlay_shape.h"

namespace ovek {

// Draws the shapes in order on top of the scene: no lighting, no depth test,
// no depth writes, one-pixel lines, blending (source alpha, one) only for the
// shapes that ask for it. Every state it changes is restored afterwards.
void drawOverlayShapes(const std::vector<OverlayShape>& shapes);

// One line loop through the vertices in the current colour and state.
void drawOverlayLineLoop(const std::vector<OverlayVertex>& vertices);

// OverlayPainter::drawPicture, in the current context.
void drawOverlayPicture(const uint32_t* pixels, int width, int height, int x, int y);

}  // namespace ovek
