#include "mesh/turn_model.h"

#include <cmath>
#include <memory>
#include <unordered_map>

#include "mesh/component3d.h"

namespace ovek {

namespace {

// Cosine and sine of an angle in degrees, exact for multiples of 90.
void cosSin(double degrees, double& c, double& s)
{
    const double turns = degrees / 90;
    if (turns == std::floor(turns) && std::fabs(turns) < 1e9) {
        static const double kCos[4] = {1, 0, -1, 0}, kSin[4] = {0, 1, 0, -1};
        const long long q = ((long long)turns % 4 + 4) % 4;
        c = kCos[q];
        s = kSin[q];
        return;
    }
    const double radians = degrees * (M_PI / 180);
    c = std::cos(radians);
    s = std::sin(radians);
}

struct Turn {
    double m[3][3];

    // this, then other.
    Turn then(const Turn& other) const
    {
        Turn r{};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                for (int k = 0; k < 3; ++k)
                    r.m[i][j] += other.m[i][k] * m[k][j];
        return r;
    }
};

Turn about(TurnAxis axis, double degrees)
{
    double c, s;
    cosSin(degrees, c, s);
    const int n = int(axis), a = (n + 1) % 3, b = (n + 2) % 3;
    Turn t{};
    t.m[n][n] = 1;
    t.m[a][a] = c;
    t.m[a][b] = -s;
    t.m[b][a] = s;
    t.m[b][b] = c;
    return t;
}

// turns without the turns by 0, neighbours about one axis added together.
std::vector<AxisTurn> simplified(const std::vector<AxisTurn>& turns)
{
    std::vector<AxisTurn> kept;
    for (const AxisTurn& t : turns) {
        if (t.degrees == 0)
            continue;
        if (!kept.empty() && kept.back().axis == t.axis) {
            kept.back().degrees += t.degrees;
            if (kept.back().degrees == 0)
                kept.pop_back();
        } else {
            kept.push_back(t);
        }
    }
    return kept;
}

}  // namespace

double turnAngle(double degrees, int frame, int frames)
{
    return frames > 0 ? frame * degrees / frames : 0;
}

void turnModel(Component3D& mesh, const std::vector<AxisTurn>& turns)
{
    const std::vector<AxisTurn> kept = simplified(turns);
    if (mesh.points.empty() || kept.empty())
        return;
    double lo[3] = {mesh.points[0]->x, mesh.points[0]->y, mesh.points[0]->z};
    double hi[3] = {lo[0], lo[1], lo[2]};
    for (const auto& p : mesh.points) {
        const double v[3] = {p->x, p->y, p->z};
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::fmin(lo[k], v[k]);
            hi[k] = std::fmax(hi[k], v[k]);
        }
    }
    const double centre[3] = {(lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2};
    Turn t = about(kept[0].axis, kept[0].degrees);
    for (size_t i = 1; i < kept.size(); ++i)
        t = t.then(about(kept[i].axis, kept[i].degrees));
    auto turn = [&](Point3D& p) {
        const double v[3] = {p.x - centre[0], p.y - centre[1], p.z - centre[2]};
        double w[3];
        for (int i = 0; i < 3; ++i)
            w[i] = t.m[i][0] * v[0] + t.m[i][1] * v[1] + t.m[i][2] * v[2] + centre[i];
        p.x = w[0];
        p.y = w[1];
        p.z = w[2];
    };
    // The untransformed copy turns with the points, so that a later update()
    // keeps the turn.
    for (auto& p : mesh.points)
        turn(*p);
    for (auto& p : mesh.staticPoints)
        turn(*p);
    mesh.refresh();
}

void turnModel(Component3D& mesh, double x, double y, double z)
{
    turnModel(mesh, {{TurnAxis::X, x}, {TurnAxis::Y, y}, {TurnAxis::Z, z}});
}

void copyMesh(const Component3D& mesh, Component3D& out)
{
    if (&out == &mesh)
        return;
    out.clear();
    // The source's points are only read: the faces find their copies here.
    std::unordered_map<const Point3D*, Point3D*> copies;
    copies.reserve(mesh.points.size());
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
    copyList(mesh.points, out.points, true);
    copyList(mesh.staticPoints, out.staticPoints, false);
    out.faces.reserve(mesh.faces.size());
    auto copyOf = [&copies](const Point3D* p) {
        const auto found = copies.find(p);
        return found == copies.end() ? nullptr : found->second;
    };
    for (const auto& f : mesh.faces) {
        Point3D* a = copyOf(f->p1);
        Point3D* b = copyOf(f->p2);
        Point3D* c = copyOf(f->p3);
        if (a && b && c)
            out.faces.push_back(std::make_unique<Triangle3D>(a, b, c));
    }
}

void turnedCopy(const Component3D& mesh, const std::vector<AxisTurn>& turns, Component3D& out)
{
    copyMesh(mesh, out);
    turnModel(out, turns);
}

}  // namespace ovek
