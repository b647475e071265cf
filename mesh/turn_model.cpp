#include "mesh/turn_model.h"

#include <cmath>

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

Turn about(int axis, double degrees)
{
    double c, s;
    cosSin(degrees, c, s);
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
    Turn t{};
    t.m[axis][axis] = 1;
    t.m[a][a] = c;
    t.m[a][b] = -s;
    t.m[b][a] = s;
    t.m[b][b] = c;
    return t;
}

}  // namespace

void turnModel(Component3D& mesh, double x, double y, double z)
{
    if (mesh.points.empty() || (x == 0 && y == 0 && z == 0))
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
    const Turn t = about(0, x).then(about(1, y)).then(about(2, z));
    auto turn = [&](Point3D& p) {
        const double v[3] = {p.x - centre[0], p.y - centre[1], p.z - centre[2]};
        double w[3];
        for (int i = 0; i < 3; ++i)
            w[i] = t.m[i][0] * v[0] + t.m[i][1] * v[1] + t.m[i][2] * v[2] + centre[i];
        p.x = w[0];
        p.y = w[1];
        p.z = w[2];
    };
    for (auto& p : mesh.points)
        turn(*p);
    for (auto& p : mesh.staticPoints)
        turn(*p);
    mesh.refresh();
}

}  // namespace ovek
