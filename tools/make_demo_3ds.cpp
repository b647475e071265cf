// Writes demo/demo.3ds: a ring around a ball in front of a round plate, with
// four studs, as separate mesh objects (a few thousand triangles, several depth
// levels). 3DS axes: x right, z up, and the viewer looks along +y, so a smaller
// y is nearer to the viewer.
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/threeds_writer.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

using threeds::Face;
using threeds::Object;
using threeds::Vertex;

// A grid of (u, v) samples closed in u (and in v when wrapV) into triangles.
void addGrid(Object& o, int nu, int nv, bool wrapV)
{
    const int rows = wrapV ? nv : nv - 1;
    for (int i = 0; i < nu; ++i)
        for (int j = 0; j < rows; ++j) {
            const uint16_t a = uint16_t(i * nv + j), b = uint16_t(((i + 1) % nu) * nv + j);
            const uint16_t c = uint16_t(((i + 1) % nu) * nv + (j + 1) % nv),
                           d = uint16_t(i * nv + (j + 1) % nv);
            o.faces.push_back({a, b, c, 7});
            o.faces.push_back({a, c, d, 7});
        }
}

Object torus(double major, double minor, double cy, int nu, int nv)
{
    Object o;
    o.name = "Ring";
    for (int i = 0; i < nu; ++i)
        for (int j = 0; j < nv; ++j) {
            const double u = 2 * kPi * i / nu, v = 2 * kPi * j / nv;
            const double r = major + minor * std::cos(v);
            o.vertices.push_back({float(r * std::cos(u)), float(cy + minor * std::sin(v)),
                                  float(r * std::sin(u))});
        }
    addGrid(o, nu, nv, true);
    return o;
}

Object sphere(const std::string& name, double cx, double cy, double cz, double radius, int nu,
              int nv)
{
    Object o;
    o.name = name;
    // Latitude rings from pole to pole (the poles are tiny rings: simple and closed enough).
    for (int i = 0; i < nu; ++i)
        for (int j = 0; j < nv; ++j) {
            const double u = 2 * kPi * i / nu, v = kPi * (j + 0.5) / nv;
            o.vertices.push_back({float(cx + radius * std::sin(v) * std::cos(u)),
                                  float(cy + radius * std::cos(v)),
                                  float(cz + radius * std::sin(v) * std::sin(u))});
        }
    addGrid(o, nu, nv, false);
    return o;
}

Object plate(double radius, double cy, int n)
{
    Object o;
    o.name = "Plate";
    o.vertices.push_back({0, float(cy), 0});
    for (int i = 0; i < n; ++i) {
        const double u = 2 * kPi * i / n;
        o.vertices.push_back({float(radius * std::cos(u)), float(cy), float(radius * std::sin(u))});
    }
    for (int i = 0; i < n; ++i)
        o.faces.push_back({0, uint16_t(1 + i), uint16_t(1 + (i + 1) % n), 7});
    return o;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* out = argc > 1 ? argv[1] : "demo/demo.3ds";
    std::vector<Object> objects;
    objects.push_back(plate(1.0, 0.45, 64));
    objects.push_back(torus(0.62, 0.16, 0.1, 72, 20));
    Object ball = sphere("Ball", 0, -0.15, 0, 0.36, 40, 20);
    ball.material = "Gloss";  // a material group inside the face list
    objects.push_back(ball);
    for (int k = 0; k < 4; ++k) {
        const double a = kPi / 4 + k * kPi / 2;
        objects.push_back(sphere("Stud" + std::to_string(k + 1), 0.86 * std::cos(a), 0.3,
                                 0.86 * std::sin(a), 0.09, 16, 8));
    }
    const std::string bytes = threeds::file(objects);
    std::FILE* f = std::fopen(out, "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f)) {
        std::fprintf(stderr, "make_demo_3ds: cannot write %s\n", out);
        return 1;
    }
    return 0;
}
