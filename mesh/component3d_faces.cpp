// The mesh as the stereogram engine's triangle list. Engine y points the other
// way from the mesh, and depth grows by a third of the lateral scale from 20.
#include "engine/triangle_model.h"
#include "mesh/component3d.h"

namespace {

// Appends one triangle per face, each over three corners of its own.
template <typename Map>
void addFaces(const std::vector<std::unique_ptr<Triangle3D>>& faces, FacesModel* target, Map map)
{
    for (const auto& f : faces) {
        Point3DModel* c[3];
        int k = 0;
        for (const Point3D* p : {f->p1, f->p2, f->p3})
            c[k++] = target->addPoint(map(*p));
        target->add(new TriangleModel(c[0], c[1], c[2]));
    }
}

}  // namespace

void Component3D::toFacesModel(FacesModel* target, double scale) const
{
    target->clear();
    // The floor of the load box, z = -1, is depth 20 whatever the mesh's lowest point.
    addFaces(faces, target, [scale](const Point3D& p) {
        return Point3DModel(scale * p.x, -scale * p.y, scale * (p.z + 1) / 3 + 20);
    });
}

void Component3D::toFacesModel(FacesModel* target, double width, double height, double depth) const
{
    target->clear();
    if (points.empty())
        return;
    Point3D lo = *points[0], hi = *points[0];
    for (const auto& p : points)
        widenBox(&lo, &hi, p.get());
    auto ratio = [](double want, double extent) { return extent > 0 ? want / extent : 100; };
    const double m = getAbsMin(ratio(width, hi.x - lo.x), ratio(height, hi.y - lo.y),
                               ratio(depth, hi.z - lo.z));
    const double cx = (lo.x + hi.x) / 2;
    const double cy = (lo.y + hi.y) / 2;
    const double floor = lo.z;
    addFaces(faces, target, [=](const Point3D& p) {
        return Point3DModel((p.x - cx) * m, -(p.y - cy) * m, (p.z - floor) * m / 3 + 20);
    });
}
