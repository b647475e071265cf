// Fitting a mesh into a box and the point-normal passes.
#include <cmath>

#include "mesh/component3d.h"

namespace {

struct Box {
    double min[3];
    double max[3];
};

Box boxOf(const std::vector<std::unique_ptr<Point3D>>& list)
{
    Box b{{0, 0, 0}, {0, 0, 0}};
    for (size_t i = 0; i < list.size(); ++i) {
        const double v[3] = {list[i]->x, list[i]->y, list[i]->z};
        for (int k = 0; k < 3; ++k) {
            if (i == 0 || v[k] < b.min[k])
                b.min[k] = v[k];
            if (i == 0 || v[k] > b.max[k])
                b.max[k] = v[k];
        }
    }
    return b;
}

double* coord(Point3D& p, int k)
{
    return k == 0 ? &p.x : k == 1 ? &p.y : &p.z;
}

double get(const Point3D* p, int k)
{
    return k == 0 ? p->x : k == 1 ? p->y : p->z;
}

}  // namespace

void Component3D::setSize2(const Point3D* min, const Point3D* max)
{
    const Box b = boxOf(staticPoints);
    double ratio[3];
    for (int k = 0; k < 3; ++k) {
        const double extent = b.max[k] - b.min[k];
        // A flat axis does not constrain the scale unless every other one is above 100.
        ratio[k] = extent > 0 ? (get(max, k) - get(min, k)) / extent : 100;
    }
    const double m = std::fabs(getAbsMin(ratio[0], ratio[1], ratio[2]));
    for (auto& p : staticPoints)
        for (int k = 0; k < 3; ++k) {
            // A box given upside down on an axis mirrors that axis only.
            const double f = ratio[k] > 0 ? m : -m;
            double* v = coord(*p, k);
            *v = (get(min, k) + get(max, k)) / 2 + (*v - (b.min[k] + b.max[k]) / 2) * f;
        }
    const int mode = updateMode;
    updateMode = 0;
    update();
    updateMode = mode;
}

void Component3D::setSize(const Point3D* min, const Point3D* max)
{
    const Box b = boxOf(staticPoints);
    for (int k = 0; k < 3; ++k) {
        const double extent = b.max[k] - b.min[k];
        if (!(extent > 0))
            continue;
        const double want = get(max, k) - get(min, k);
        for (auto& p : staticPoints) {
            double* v = coord(*p, k);
            *v = b.min[k] + (*v - b.min[k]) * want / extent;
        }
    }
}

void Component3D::updateNormal()
{
    switch (showMode >> 2) {
    case 1:
        updateNormal1();
        break;
    case 2:
        updateNormal2();
        break;
    default:
        break;
    }
}

void Component3D::updateNormal1()
{
    for (auto& p : points)
        p->nx = p->ny = p->nz = 0;
    for (const auto& f : faces) {
        Point3D n;
        f->getNormal(&n);
        if (n.z < 0)
            n.set(-n.x, -n.y, -n.z);
        for (Point3D* c : {f->p1, f->p2, f->p3})
            if (n.z > c->nz) {
                c->nx = n.x;
                c->ny = n.y;
                c->nz = n.z;
            }
    }
}

void Component3D::updateNormal2()
{
    for (auto& p : points)
        p->nx = p->ny = p->nz = 0;
    for (const auto& f : faces) {
        Point3D n;
        f->getNormal(&n);
        for (Point3D* c : {f->p1, f->p2, f->p3}) {
            c->nx += std::fabs(n.x);
            c->ny += std::fabs(n.y);
            c->nz += std::fabs(n.z);
        }
    }
    for (auto& p : points) {
        const double len = std::sqrt(p->nx * p->nx + p->ny * p->ny + p->nz * p->nz);
        if (len == 0)
            continue;
        const double d = p->nz < 0 ? -len : len;
        p->nx /= d;
        p->ny /= d;
        p->nz /= d;
    }
}
