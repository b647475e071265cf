#include "mesh/geometry.h"

#include <algorithm>
#include <cmath>

#include "mesh/mesh_painter.h"

double Point3D::getDistance(const Point3D* other) const
{
    const double dx = x - other->x;
    const double dy = y - other->y;
    const double dz = z - other->z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void Point3D::show() const
{
    if (MeshPainter* painter = meshPainter())
        painter->vertex(*this);
}

Point3D* Triangle3D::getNormal(Point3D* out) const
{
    const double ux = p1->x - p2->x, uy = p1->y - p2->y, uz = p1->z - p2->z;
    const double wx = p3->x - p2->x, wy = p3->y - p2->y, wz = p3->z - p2->z;
    double nx = uy * wz - uz * wy;
    double ny = uz * wx - ux * wz;
    double nz = ux * wy - uy * wx;
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (len > 0) {
        nx /= len;
        ny /= len;
        nz /= len;
    }
    out->x = nx;
    out->y = ny;
    out->z = nz;
    return out;
}

void Triangle3D::show()
{
    if (MeshPainter* painter = meshPainter())
        painter->triangle(*this);
}

bool Triangle3D::isPointIn(double x, double y)
{
    return isInTriangle(x, y, p1, p2, p3);
}

void Rectangle3D::show()
{
    if (MeshPainter* painter = meshPainter())
        painter->rectangle(*this);
}

bool Rectangle3D::isPointIn(double x, double y)
{
    return isInTriangle(x, y, p1, p2, p3) || isInTriangle(x, y, p1, p4, p3);
}

void widenBox(Point3D* lo, Point3D* hi, const Point3D* p)
{
    lo->x = std::min(lo->x, p->x);
    lo->y = std::min(lo->y, p->y);
    lo->z = std::min(lo->z, p->z);
    hi->x = std::max(hi->x, p->x);
    hi->y = std::max(hi->y, p->y);
    hi->z = std::max(hi->z, p->z);
}

double getAbsMin(double a, double b, double c)
{
    const double h = std::fabs(b) > std::fabs(a) ? a : b;
    return std::fabs(c) > std::fabs(h) ? h : c;
}

double getTriangleSize2D(double x1, double y1, double x2, double y2, double x3, double y3)
{
    return std::fabs((x1 - x2) * (y1 + y2) + (x2 - x3) * (y2 + y3) + (x3 - x1) * (y1 + y3));
}

bool isInTriangle(double x, double y, const Point3D* a, const Point3D* b, const Point3D* c)
{
    const double s1 = getTriangleSize2D(x, y, b->x, b->y, c->x, c->y);
    const double s2 = getTriangleSize2D(a->x, a->y, x, y, c->x, c->y);
    const double s3 = getTriangleSize2D(a->x, a->y, b->x, b->y, x, y);
    const double t = getTriangleSize2D(a->x, a->y, b->x, b->y, c->x, c->y);
    // The 1.0001 lets points on the edges, and within rounding of them, count.
    return s1 + s2 + s3 - 1.0001 * t < 0;
}

double myabs(double v)
{
    return v < 0 ? -v : v;
}
