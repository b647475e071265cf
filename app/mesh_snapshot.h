#pragma once
// What a mesh held when it was last opened or saved, to tell later whether
// saving it again would write anything different: the point positions with
// their selection (the program's own file keeps both) and the faces over
// them. Steps that change nothing (a click, an undo back to the saved state)
// leave it unedited.
#include <array>
#include <vector>

#include "mesh/component3d.h"

namespace ovek {

class MeshSnapshot {
public:
    // Remembers mesh as it is now.
    void take(const Component3D& mesh);
    // Whether mesh differs from what was taken (any mesh differs from none).
    bool differs(const Component3D& mesh) const;

private:
    struct Point {
        double x, y, z;
        unsigned char selected;
        bool operator==(const Point& o) const
        {
            return x == o.x && y == o.y && z == o.z && selected == o.selected;
        }
    };
    static std::vector<Point> pointsOf(const Component3D& mesh);
    static std::vector<std::array<size_t, 3>> facesOf(const Component3D& mesh);

    bool taken_ = false;
    std::vector<Point> points_;
    std::vector<std::array<size_t, 3>> faces_;   // indices into points_
};

}  // namespace ovek
