#include "mesh/mesh_draw_arrays.h"

#include "mesh/component3d.h"

namespace ovek {

namespace {

void put(std::vector<float>& to, double x, double y, double z)
{
    to.push_back(float(x));
    to.push_back(float(y));
    to.push_back(float(z));
}

bool anyCornerSelected(const Triangle3D& t)
{
    return t.p1->selected || t.p2->selected || t.p3->selected;
}

}  // namespace

MeshDrawKey drawKeyOf(const Component3D& mesh)
{
    MeshDrawKey k;
    k.changeCount = mesh.changeCount;
    k.listsReplaced = mesh.listsReplaced;
    k.faceCount = mesh.faces.size();
    k.pointCount = mesh.points.size();
    k.faceStorage = mesh.faces.data();
    k.pointStorage = mesh.points.data();
    return k;
}

bool MeshDrawArrays::follow(const Component3D& mesh)
{
    if (current(mesh))
        return false;
    build(mesh);
    return true;
}

void MeshDrawArrays::build(const Component3D& mesh)
{
    const size_t n = mesh.faces.size();
    faceVertices.clear();
    faceNormals.clear();
    runs.clear();
    faceVertices.reserve(9 * n);
    faceNormals.reserve(9 * n);
    for (size_t i = 0; i < n; ++i) {
        const Triangle3D& t = *mesh.faces[i];
        const bool selected = anyCornerSelected(t);
        if (runs.empty() || runs.back().selected != selected)
            runs.push_back(FaceRun{i, 0, selected});
        ++runs.back().faceCount;
        Point3D nv;
        t.getNormal(&nv);
        // Every face is lit as if it faced the viewer, whatever its corner order.
        const double s = nv.z > 0 ? 1 : -1;
        for (int k = 0; k < 3; ++k)
            put(faceNormals, s * nv.x, s * nv.y, s * nv.z);
        for (const Point3D* p : {t.p1, t.p2, t.p3})
            put(faceVertices, p->x, p->y, p->z);
    }
    pointVertices.clear();
    pointVertices.reserve(3 * mesh.points.size());
    for (int selected = 0; selected < 2; ++selected) {
        if (selected)
            unselectedPoints = pointVertices.size() / 3;
        for (const auto& p : mesh.points)
            if (bool(p->selected) == bool(selected))
                put(pointVertices, p->x, p->y, p->z);
    }
    key = drawKeyOf(mesh);
    built = true;
}

void MeshDrawArrays::release()
{
    // Swapped out rather than cleared, so the memory really goes.
    std::vector<float>().swap(faceVertices);
    std::vector<float>().swap(faceNormals);
    std::vector<FaceRun>().swap(runs);
    std::vector<float>().swap(pointVertices);
    unselectedPoints = 0;
    built = false;
}

}  // namespace ovek
