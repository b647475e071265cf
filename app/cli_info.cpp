#include <cstdio>
#include <unordered_map>

#include "app/cli.h"
#include "mesh/model_open.h"

namespace ovek {

namespace {

void printBox(const Component3D& mesh)
{
    Point3D lo, hi;
    for (size_t i = 0; i < mesh.points.size(); ++i) {
        const Point3D& p = *mesh.points[i];
        if (i == 0)
            lo = hi = p;
        widenBox(&lo, &hi, &p);
    }
    std::printf("points %zu faces %zu bbox %.6f %.6f %.6f %.6f %.6f %.6f\n", mesh.points.size(),
                mesh.faces.size(), lo.x, lo.y, lo.z, hi.x, hi.y, hi.z);
}

void printPointsAndFaces(const Component3D& mesh)
{
    std::unordered_map<const Point3D*, size_t> indexOf;
    for (size_t i = 0; i < mesh.points.size(); ++i) {
        const Point3D& p = *mesh.points[i];
        indexOf.emplace(&p, i);
        std::printf("p %.9g %.9g %.9g\n", p.x, p.y, p.z);
    }
    // Loaded meshes keep every corner in their points; -1 would show otherwise.
    auto index = [&](const Point3D* p) {
        const auto it = indexOf.find(p);
        return it == indexOf.end() ? -1L : long(it->second);
    };
    for (const auto& f : mesh.faces)
        std::printf("f %ld %ld %ld\n", index(f->p1), index(f->p2), index(f->p3));
}

}  // namespace

int runInfo(const Args& args)
{
    bool withPoints = false;
    std::string path;
    for (const std::string& a : args) {
        if (a == "--points")
            withPoints = true;
        else if (!a.empty() && a[0] == '-')
            return usageError("unknown option '" + a + "'");
        else if (path.empty())
            path = a;
        else
            return usageError("info takes one model file");
    }
    if (path.empty())
        return usageError("info takes one model file");
    Component3D mesh;
    const FileResult r = openModelFile(path, &mesh);
    if (!r)
        return failRead(path, r.error);
    warnRead(path, r.warning);
    printBox(mesh);
    if (withPoints)
        printPointsAndFaces(mesh);
    return std::fflush(stdout) == 0 ? kExitOk : fail(kExitBadOutput, "cannot write the output");
}

}  // namespace ovek
