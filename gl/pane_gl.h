#pragma once
// The 3D pane's OpenGL state: depth testing, one directional light, a
// perspective view of the model box from 3.6 units away. Every function works
// on the context current on the calling thread.

// Smooth shading, black clear colour, depth test with LEQUAL, nicest
// perspective correction.
void SceneInit();
// The light and material the meshes are lit with; lighting itself is switched
// on only while painting.
void setupPaneLighting();
// Viewport (0, 0, w, h), a 60 degree vertical field of view with aspect w / h,
// near 1 and far 30, and the model moved 3.6 units away. h must be positive.
void setPaneProjection(int w, int h);
// Around drawing the scenes: a cleared frame with lighting on, then lighting
// off and the model-view matrix as it was.
void beginPanePaint();
void endPanePaint();
