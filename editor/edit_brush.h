#pragma once
// A circle outline in the view, for example as a brush cursor. It counts as
// under the pointer everywhere.
#include <vector>

#include "scene3d/event3d.h"
#include "scene3d/overlay_shape.h"

class EditBrush : public Event3D {
public:
    double size = 0.6;          // radius, model units
    double step = 0.62831852;   // radians between outline vertices (2 pi / 10)
    double x = 0;               // centre, model space
    double y = 0;
    double z = 0;
    ovek::OverlayPainter* painter = nullptr;   // draws the outline; none draws nothing; not owned

    void setSize(double s) { size = s; }
    double getSize() const { return size; }
    double getZ() const { return z; }
    void setPosition(double px, double py, double pz)
    {
        x = px;
        y = py;
        z = pz;
    }

    bool isPointIn(double, double) override { return true; }
    // The outline's vertices: angles 0, step, 2 step ... below 6.28, starting
    // at (x, y + size) and running clockwise with y up.
    std::vector<ovek::OverlayVertex> outline() const;
    // The outline through the painter, in the current colour.
    void show() override;
};
