#include <cstdio>
#include <unordered_map>

#include "app/cli.h"
#include "app/cli_options.h"
#include "mesh/model_open.h"

namespace ovek {

namespace {

const CommandSpec kInfo = {
    "info",
    "Usage: pexolen info [--points] MODEL\n"
    "\n"
    "Prints a model's point and face counts and its bounding box:\n"
    "  points N faces M bbox XMIN YMIN ZMIN XMAX YMAX ZMAX\n"
    "A name ending in .3ds is fitted into the box (-1, 1, -1)-(1, -1, 1) as the\n"
    "program's open does, and so are .obj, .stl, .ply, .gltf, .glb, .off, .fbx\n"
    "and .dae (y up; every mesh placed by its nodes, points at the same position\n"
    "joined, faces that use a point twice left out); a name ending in .om is\n"
    "read as stored.\n"
    "\n"
    "  --points           also one line 'p X Y Z' per point and 'f A B C' per\n"
    "                     face (indices into the points)\n"
    "  -h, --help         this text\n"
    "\n"
    "Examples:\n"
    "  pexolen info demo/demo.3ds\n"
    "  pexolen info --points cube.om\n"
    "  pexolen info part.stl\n",
    {{"--points", nullptr, false}},
    1,
};

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
    ParsedArgs parsed;
    if (int status = parseArgs(kInfo, args, parsed); status != kContinue)
        return status;
    if (parsed.operands.size() != 1)
        return commandUsageError(kInfo, "info takes one model file");
    const bool withPoints = !parsed.options.empty();
    const std::string& path = parsed.operands[0];
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
