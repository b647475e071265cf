#pragma once
// Small meshes for the tests.
#include <initializer_list>
#include <memory>

#include "mesh/component3d.h"

namespace meshtest {

struct Xyz {
    double x, y, z;
};

// Points added through addPoint, so static and current copies agree.
inline void addPoints(Component3D& mesh, std::initializer_list<Xyz> list)
{
    for (const Xyz& p : list)
        mesh.addPoint(new Point3D(p.x, p.y, p.z));
}

inline void addFace(Component3D& mesh, size_t a, size_t b, size_t c)
{
    mesh.faces.push_back(std::make_unique<Triangle3D>(mesh.points[a].get(), mesh.points[b].get(),
                                                      mesh.points[c].get()));
}

}  // namespace meshtest
