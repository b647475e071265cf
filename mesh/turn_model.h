#pragma once
// Turning a whole model about its centre, as the command line's --rotate and
// an animation's frames do.
class Component3D;

namespace ovek {

// Turns every point of mesh (points and staticPoints alike) about the centre
// of the points' bounding box: by x degrees about the x axis first, then y
// about y, then z about z, each counter-clockwise looking down the axis.
// Whole quarter turns are exact (a turn by 180 degrees negates two
// coordinates exactly).
void turnModel(Component3D& mesh, double x, double y, double z);

}  // namespace ovek
