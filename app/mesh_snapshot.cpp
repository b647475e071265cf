#include "app/mesh_snapshot.h"

#include <unordered_map>

namespace ovek {

std::vector<MeshSnapshot::Point> MeshSnapshot::pointsOf(const Component3D& mesh)
{
    std::vector<Point> points;
    points.reserve(mesh.points.size());
    for (const auto& p : mesh.points)
        points.push_back({p->x, p->y, p->z, p->selected});
    return points;
}

std::vector<std::array<size_t, 3>> MeshSnapshot::facesOf(const Component3D& mesh)
{
    std::unordered_map<const Point3D*, size_t> index;
    index.reserve(mesh.points.size());
    for (size_t i = 0; i < mesh.points.size(); ++i)
        index.emplace(mesh.points[i].get(), i);
    // A corner outside the point list (never made by the editor) counts as
    // one more index, so that it still compares unequal to any real point.
    auto at = [&](const Point3D* p) {
        const auto it = index.find(p);
        return it == index.end() ? mesh.points.size() : it->second;
    };
    std::vector<std::array<size_t, 3>> faces;
    faces.reserve(mesh.faces.size());
    for (const auto& f : mesh.faces)
        faces.push_back({at(f->p1), at(f->p2), at(f->p3)});
    return faces;
}

void MeshSnapshot::take(const Component3D& mesh)
{
    points_ = pointsOf(mesh);
    faces_ = facesOf(mesh);
    taken_ = true;
}

bool MeshSnapshot::differs(const Component3D& mesh) const
{
    if (!taken_ || mesh.points.size() != points_.size() || mesh.faces.size() != faces_.size())
        return true;
    return pointsOf(mesh) != points_ || facesOf(mesh) != faces_;
}

}  // namespace ovek
