#pragma once
// Turning a whole model about its centre, as the command line's --rotate and
// an animation's frames do, on a copy that leaves the source untouched.
#include <vector>

class Component3D;

namespace ovek {

// The model's axes: x to the right, y up the picture, z towards the viewer.
enum class TurnAxis { X, Y, Z };

// One turn of a sequence: degrees about axis, counter-clockwise looking down it.
struct AxisTurn {
    TurnAxis axis = TurnAxis::Y;  // the axis through the centre of the model's box
    double degrees = 0;           // any angle; whole quarter turns are exact
};

// The angle of frame `frame` of a turn by `degrees` in `frames` frames:
// frame * degrees / frames.
double turnAngle(double degrees, int frame, int frames);

// Turns every point of mesh (points and staticPoints alike) about the centre
// of the points' bounding box by each of turns in order, as one rotation.
// Turns by 0 are left out and neighbouring turns about the same axis are
// added first, so that a sequence equal to --rotate's gives its very bytes.
// Whole quarter turns are exact (a turn by 180 degrees negates two
// coordinates exactly).
void turnModel(Component3D& mesh, const std::vector<AxisTurn>& turns);

// By x degrees about the x axis first, then y about y, then z about z.
void turnModel(Component3D& mesh, double x, double y, double z);

// Replaces out's points, selection and faces with copies of mesh's, as
// Component3D::cloneTo does, but reading mesh only (cloneTo writes a scratch
// link into every source point), so that several threads may copy one mesh
// at once. Faces over points the mesh does not hold are left out.
void copyMesh(const Component3D& mesh, Component3D& out);

// copyMesh, then turnModel on the copy.
void turnedCopy(const Component3D& mesh, const std::vector<AxisTurn>& turns, Component3D& out);

}  // namespace ovek
