#pragma once
// Turning a model about the centre of its box, for the frames of a turn.
#include "mesh/component3d.h"

namespace ovek {

// The model's axes: x to the right, y up the picture, z towards the viewer.
enum class TurnAxis { X, Y, Z };

// The angle of frame `frame` of a turn by `degrees` in `frames` frames:
// frame * degrees / frames.
double turnAngle(double degrees, int frame, int frames);

// Replaces out with a copy of model turned by `degrees` about `axis` through
// the centre of the model's bounding box. An angle of 0 copies the points
// exactly, so that an unturned frame is the model's own production.
void turnedCopy(const Component3D& model, TurnAxis axis, double degrees, Component3D& out);

}  // namespace ovek
