#include "animation/mesh_turn.h"

#include <cmath>
#include <memory>
#include <unordered_map>

namespace ovek {

namespace {

constexpr double kPi = 3.14159265358979323846;

void centreOf(const Component3D& model, double& cx, double& cy, double& cz)
{
    Point3D lo = *model.points[0], hi = lo;
    for (const auto& p : model.points)
        widenBox(&lo, &hi, p.get());
    cx = (lo.x + hi.x) / 2;
    cy = (lo.y + hi.y) / 2;
    cz = (lo.z + hi.z) / 2;
}

// Rotates the pair (a, b) about (ca, cb) by the angle with cosine c and sine s.
void turnPair(double& a, double& b, double ca, double cb, double c, double s)
{
    const double da = a - ca, db = b - cb;
    a = ca + c * da - s * db;
    b = cb + s * da + c * db;
}

// The points, selection and faces of model, as cloneTo copies them but
// without writing to the model, so that several threads may copy it at once.
void copyPoints(const Component3D& model, Component3D& out)
{
    out.clear();
    std::unordered_map<const Point3D*, Point3D*> copies;
    copies.reserve(model.points.size());
    auto copyList = [&copies](const std::vector<std::unique_ptr<Point3D>>& from,
                              std::vector<std::unique_ptr<Point3D>>& to, bool remember) {
        to.reserve(from.size());
        for (const auto& s : from) {
            auto p = std::make_unique<Point3D>(s->x, s->y, s->z);
            p->selected = s->selected;
            if (remember)
                copies[s.get()] = p.get();
            to.push_back(std::move(p));
        }
    };
    copyList(model.points, out.points, true);
    copyList(model.staticPoints, out.staticPoints, false);
    out.faces.reserve(model.faces.size());
    auto copyOf = [&copies](const Point3D* p) {
        const auto found = copies.find(p);
        return found == copies.end() ? nullptr : found->second;
    };
    for (const auto& f : model.faces) {
        Point3D* a = copyOf(f->p1);
        Point3D* b = copyOf(f->p2);
        Point3D* c = copyOf(f->p3);
        if (a && b && c)   // a face over points the mesh does not hold has no place in the copy
            out.faces.push_back(std::make_unique<Triangle3D>(a, b, c));
    }
}

}  // namespace

double turnAngle(double degrees, int frame, int frames)
{
    return frames > 0 ? frame * degrees / frames : 0;
}

void turnedCopy(const Component3D& model, TurnAxis axis, double degrees, Component3D& out)
{
    copyPoints(model, out);
    if (degrees == 0 || out.points.empty())
        return;
    double cx = 0, cy = 0, cz = 0;
    centreOf(out, cx, cy, cz);
    const double a = degrees * kPi / 180;
    const double c = std::cos(a), s = std::sin(a);
    // The untransformed copy turns with the points, so that a later update()
    // keeps the turn.
    for (auto* list : {&out.points, &out.staticPoints})
        for (auto& p : *list) {
            switch (axis) {
            case TurnAxis::X: turnPair(p->y, p->z, cy, cz, c, s); break;
            case TurnAxis::Y: turnPair(p->z, p->x, cz, cx, c, s); break;
            case TurnAxis::Z: turnPair(p->x, p->y, cx, cy, c, s); break;
            }
        }
}

}  // namespace ovek
