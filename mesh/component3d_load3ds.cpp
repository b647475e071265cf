#include "mesh/load3ds.h"

#include <algorithm>

#include "base/atomic_file.h"
#include "mesh/chunk3ds.h"

namespace {

// Appends the vertices F uses, in vertex order, and F's faces over them.
void appendFaceList(const FaceListChunk& f, std::vector<uint8_t>& used, std::vector<int>& index,
                    Component3D* mesh)
{
    const VertListChunk& v = *f.vertList;
    const size_t base = mesh->points.size();
    std::fill(used.begin(), used.begin() + long(v.points.size()), 0);
    for (const VTriangle& t : f.faces)
        used[size_t(t.a)] = used[size_t(t.b)] = used[size_t(t.c)] = 1;
    int k = 0;
    for (size_t j = 0; j < v.points.size(); ++j) {
        if (!used[j])
            continue;
        const VPoint& p = v.points[j];
        mesh->staticPoints.push_back(std::make_unique<Point3D>(p.x, -p.z, -p.y));
        mesh->points.push_back(std::make_unique<Point3D>(p.x, -p.z, -p.y));
        index[j] = k++;
    }
    for (const VTriangle& t : f.faces)
        mesh->faces.push_back(std::make_unique<Triangle3D>(
            mesh->points[base + size_t(index[size_t(t.a)])].get(),
            mesh->points[base + size_t(index[size_t(t.b)])].get(),
            mesh->points[base + size_t(index[size_t(t.c)])].get()));
}

}  // namespace

void Component3D::load(BaseChunk* chunk)
{
    // By type, not by id: a 0x4120 met outside a mesh is an unknown chunk.
    if (auto* f = dynamic_cast<FaceListChunk*>(chunk))
        faceLists.push_back(f);
    ++changeCount;
    for (auto& c : chunk->children)
        load(c.get());
}

ovek::FileResult Component3D::load(const char* path, const Point3D* min, const Point3D* max)
{
    std::string bytes;
    if (ovek::FileResult r = ovek::readWholeFile(path, ovek::kMax3DSBytes, bytes); !r)
        return r;
    return ovek::load3DS(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), min, max,
                         this);
}

namespace ovek {

FileResult load3DS(const uint8_t* data, size_t size, const Point3D* min, const Point3D* max,
                   Component3D* mesh)
{
    MainChunk root;
    // The whole tree is checked before the mesh is touched, so a damaged file
    // never costs the user the mesh they had.
    const FileResult parsed = parse3DS(data, size, root);
    if (!parsed)
        return parsed;
    mesh->operating = 1;
    mesh->clear();
    mesh->load(&root);
    size_t n = 0;
    for (const FaceListChunk* f : mesh->faceLists)
        n = std::max(n, f->vertList->points.size());
    std::vector<uint8_t> used(n);
    std::vector<int> index(n);
    for (const FaceListChunk* f : mesh->faceLists)
        appendFaceList(*f, used, index, mesh);
    mesh->setSize2(min, max);
    ++mesh->changeCount;
    // The gathered lists pointed into the tree, which goes now.
    mesh->faceLists.clear();
    mesh->operating = 0;
    ++mesh->changeCount;
    return parsed;   // with a warning when the file was cut short
}

}  // namespace ovek
