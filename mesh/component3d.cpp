#include "mesh/component3d.h"

#include <algorithm>
#include <cmath>

#include "base/input_codes.h"

Component3D::~Component3D()
{
    clear();
}

void Component3D::clear()
{
    faces.clear();
    points.clear();
    staticPoints.clear();
    // The chunks belong to the tree of the load that gathered them.
    faceLists.clear();
    setPosition(0, 0, 0);
    ++changeCount;
}

void Component3D::addPoint(Point3D* p)
{
    points.emplace_back(p);
    staticPoints.push_back(std::make_unique<Point3D>(p->x, p->y, p->z));
}

void Component3D::setBounds(bool first, const Point3D* p)
{
    if (first) {
        boundMin.set(p->x, p->y, p->z);
        boundMax.set(p->x, p->y, p->z);
    }
    widenBox(&boundMin, &boundMax, p);
}

Component3D* Component3D::clone() const
{
    Component3D* copy = new Component3D;
    cloneTo(copy);
    return copy;
}

void Component3D::cloneTo(Component3D* target) const
{
    if (target == this)
        return;
    target->clear();
    auto copyList = [](const std::vector<std::unique_ptr<Point3D>>& from,
                       std::vector<std::unique_ptr<Point3D>>& to) {
        to.reserve(from.size());
        for (const auto& s : from) {
            auto p = std::make_unique<Point3D>(s->x, s->y, s->z);
            p->selected = s->selected;
            s->link = p.get();
            to.push_back(std::move(p));
        }
    };
    copyList(points, target->points);
    copyList(staticPoints, target->staticPoints);
    target->faces.reserve(faces.size());
    for (const auto& f : faces)
        target->faces.push_back(std::make_unique<Triangle3D>(static_cast<Point3D*>(f->p1->link),
                                                             static_cast<Point3D*>(f->p2->link),
                                                             static_cast<Point3D*>(f->p3->link)));
}

void Component3D::setPosition(double x, double y, double z)
{
    position.set(x, y, z);
    ++changeCount;
}

void Component3D::initRotate()
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            rotation[r][c] = r == c ? 1 : 0;
    ++changeCount;
}

namespace {

// rows a, b <- cs a + sn b, -sn a + cs b, both from the old rows.
void turnRows(double (&r)[3][3], int a, int b, double angle)
{
    const double sn = std::sin(angle);
    const double cs = std::cos(angle);
    for (int c = 0; c < 3; ++c) {
        const double ra = r[a][c];
        const double rb = r[b][c];
        r[a][c] = cs * ra + sn * rb;
        r[b][c] = -sn * ra + cs * rb;
    }
}

}  // namespace

void Component3D::rotateX(double a)
{
    turnRows(rotation, 1, 2, a);
    ++changeCount;
}

void Component3D::rotateY(double a)
{
    turnRows(rotation, 0, 2, a);
    ++changeCount;
}

void Component3D::rotateZ(double a)
{
    turnRows(rotation, 0, 1, a);
    ++changeCount;
}

void Component3D::scaleRow(int row, double f)
{
    // A factor near zero would flatten the mesh beyond recovery.
    if (f > -0.01 && f < 0.01)
        f = f > 0 ? 0.01 : -0.01;
    for (int c = 0; c < 3; ++c)
        rotation[row][c] *= f;
    ++changeCount;
}

void Component3D::resizeX(double f)
{
    scaleRow(0, f);
}

void Component3D::resizeY(double f)
{
    scaleRow(1, f);
}

void Component3D::resizeZ(double f)
{
    scaleRow(2, f);
}

int Component3D::setUpdateMode(int m)
{
    if (m != updateMode) {
        update();
        updateMode = m;
    }
    return m;
}

void Component3D::transformPoint(size_t i)
{
    const Point3D& s = *staticPoints[i];
    // An untransformed point stays exactly as stored: (s - centre) + centre
    // rounds, and every update and bake would move the mesh by a few ulps
    // (enough to change a stereogram's pixels).
    if (untransformed()) {
        points[i]->set(s.x, s.y, s.z);
        return;
    }
    const double dx = s.x - centerX, dy = s.y - centerY, dz = s.z - centerZ;
    const double(&r)[3][3] = rotation;
    points[i]->set(centerX + r[0][0] * dx + r[0][1] * dy + r[0][2] * dz + position.x,
                   centerY + r[1][0] * dx + r[1][1] * dy + r[1][2] * dz + position.y,
                   centerZ + r[2][0] * dx + r[2][1] * dy + r[2][2] * dz + position.z);
}

bool Component3D::untransformed() const
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            if (rotation[r][c] != (r == c ? 1 : 0))
                return false;
    return position.x == 0 && position.y == 0 && position.z == 0;
}

void Component3D::update()
{
    if (changeCount == updatedCount)
        return;
    if (points.empty()) {
        centerX = centerY = centerZ = 0;
        return;
    }
    const bool whole = updateMode == 0;
    const size_t n = std::min(points.size(), staticPoints.size());
    Point3D lo, hi;
    bool first = true;
    for (size_t i = 0; i < n; ++i) {
        if (!whole && !points[i]->selected)
            continue;
        const Point3D& s = *staticPoints[i];
        if (first) {
            lo = hi = s;
            first = false;
        }
        widenBox(&lo, &hi, &s);
    }
    // Nothing selected: the box, and so the centre, is all zeros.
    centerX = (lo.x + hi.x) / 2;
    centerY = (lo.y + hi.y) / 2;
    centerZ = (lo.z + hi.z) / 2;
    for (size_t i = 0; i < n; ++i) {
        if (whole) {
            transformPoint(i);
            setBounds(i == 0, points[i].get());
        } else if (points[i]->selected) {
            transformPoint(i);
        }
    }
    updateNormal();
    updatedCount = changeCount;
}

void Component3D::updatePoint(int i, Point3D* out) const
{
    if (i < 0 || size_t(i) >= staticPoints.size())
        return;
    const Point3D& s = *staticPoints[size_t(i)];
    const double(&r)[3][3] = rotation;
    out->set(r[0][0] * s.x + r[0][1] * s.y + r[0][2] * s.z + position.x,
             r[1][0] * s.x + r[1][1] * s.y + r[1][2] * s.z + position.y,
             r[2][0] * s.x + r[2][1] * s.y + r[2][2] * s.z + position.z);
}

void Component3D::updateToStatic()
{
    if (points.empty())
        return;
    const size_t n = std::min(points.size(), staticPoints.size());
    for (size_t i = 0; i < n; ++i)
        staticPoints[i]->set(points[i]->x, points[i]->y, points[i]->z);
    position.set(0, 0, 0);
}
