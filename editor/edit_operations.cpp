#include "editor/edit_operations.h"

#include <algorithm>
#include <deque>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/translation.h"
#include "editor/model_edit.h"
#include "mesh/model_open.h"
#include "scene3d/window_info.h"

namespace ovek {

namespace {

// The model point under the pane point (x, y) at the depth of the model origin.
Point3D insertCentre(int x, int y)
{
    double wx = 0, wy = 0, wz = 0;
    WINDOW_INFO.getWindowPos(0, 0, 0, &wx, &wy, &wz);
    Point3D m;
    WINDOW_INFO.getRealPos(x, y, wz, &m.x, &m.y, &m.z);
    return m;
}

void deselectAll(Component3D& mesh)
{
    for (auto& p : mesh.points)
        p->selected = 0;
}

Point3D* addSelected(Component3D& mesh, double x, double y, double z)
{
    auto* p = new Point3D(x, y, z);
    p->selected = 1;
    mesh.addPoint(p);
    return p;
}

void addFace(Component3D& mesh, Point3D* a, Point3D* b, Point3D* c)
{
    mesh.faces.push_back(std::make_unique<Triangle3D>(a, b, c));
}

std::unordered_map<const Point3D*, size_t> indexOfPoints(const Component3D& mesh)
{
    std::unordered_map<const Point3D*, size_t> index;
    index.reserve(mesh.points.size());
    for (size_t i = 0; i < mesh.points.size(); ++i)
        index.emplace(mesh.points[i].get(), i);
    return index;
}

bool isSelected(const Point3D* p)
{
    return p->selected != 0;
}

}  // namespace

namespace MODEL_EDIT {

void operation_insert_point(Editable3D* model, ModelEdit* editor, int x, int y)
{
    const Point3D m = insertCentre(x, y);
    addSelected(*model, m.x, m.y, m.z);
    editor->updateHistory();
}

void operation_insert_triangle(Editable3D* model, ModelEdit* editor, int x, int y)
{
    const Point3D m = insertCentre(x, y);
    deselectAll(*model);
    Point3D* t1 = addSelected(*model, m.x, m.y - 0.3, m.z);
    Point3D* t2 = addSelected(*model, m.x - 0.5, m.y + 0.3, m.z);
    Point3D* t3 = addSelected(*model, m.x + 0.5, m.y + 0.3, m.z);
    addFace(*model, t1, t2, t3);
    editor->updateHistory();
}

void operation_insert_box(Editable3D* model, ModelEdit* editor, int x, int y)
{
    const Point3D m = insertCentre(x, y);
    deselectAll(*model);
    // Corner i takes + on x, y, z where bit 0, 1, 2 of i is set.
    Point3D* p[8];
    for (int i = 0; i < 8; ++i)
        p[i] = addSelected(*model, m.x + (i & 1 ? 0.3 : -0.3), m.y + (i & 2 ? 0.3 : -0.3),
                           m.z + (i & 4 ? 0.3 : -0.3));
    static const int faces[12][3] = {{0, 1, 2}, {3, 1, 2}, {4, 5, 6}, {7, 5, 6},
                                      {1, 0, 5}, {0, 2, 4}, {2, 3, 6}, {3, 1, 7},
                                      {5, 4, 0}, {4, 6, 2}, {6, 7, 3}, {7, 5, 1}};
    for (const auto& f : faces)
        addFace(*model, p[f[0]], p[f[1]], p[f[2]]);
    editor->updateHistory();
}

// The labels are translated where the dialog shows them.
const char kImportFilter[] = N_("3DS Files(*.3ds)") "\0*.3ds\0" N_("Ovek Model File(*.om)")
    "\0*.om\0" N_("Other Models(*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae)")
    "\0*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae\0";

FileResult operation_import(Editable3D* model, ModelEdit* editor, const std::string& path)
{
    Component3D read;
    const FileResult result =
        openModelFile(path, &read, Point3D(-1, -1, -1), Point3D(1, 1, 1));
    deselectAll(*model);
    std::unordered_map<const Point3D*, Point3D*> copyOf;
    copyOf.reserve(read.points.size());
    for (const auto& q : read.points)
        copyOf.emplace(q.get(), addSelected(*model, q->x, q->y, q->z));
    for (const auto& f : read.faces)
        addFace(*model, copyOf[f->p1], copyOf[f->p2], copyOf[f->p3]);
    editor->updateHistory();
    return result;
}

}  // namespace MODEL_EDIT

void selectAllPoints(Component3D& mesh)
{
    for (auto& p : mesh.points)
        p->selected = 1;
}

void selectLinkedPoints(Component3D& mesh)
{
    const auto index = indexOfPoints(mesh);
    std::vector<std::vector<size_t>> neighbours(mesh.points.size());
    for (const auto& f : mesh.faces) {
        const auto ia = index.find(f->p1), ib = index.find(f->p2), ic = index.find(f->p3);
        if (ia == index.end() || ib == index.end() || ic == index.end())
            continue;   // a corner outside the mesh links nothing
        const size_t a = ia->second, b = ib->second, c = ic->second;
        neighbours[a].insert(neighbours[a].end(), {b, c});
        neighbours[b].insert(neighbours[b].end(), {c, a});
        neighbours[c].insert(neighbours[c].end(), {a, b});
    }
    // A point enters the queue only when it becomes selected, so at most once.
    std::deque<size_t> queue;
    for (size_t i = 0; i < mesh.points.size(); ++i)
        if (isSelected(mesh.points[i].get()))
            queue.push_back(i);
    while (!queue.empty()) {
        const size_t i = queue.front();
        queue.pop_front();
        for (size_t n : neighbours[i])
            if (!isSelected(mesh.points[n].get())) {
                mesh.points[n]->selected = 1;
                queue.push_back(n);
            }
    }
}

bool addFaceOfSelection(Component3D& mesh)
{
    Point3D* s[3];
    int count = 0;
    for (const auto& p : mesh.points)
        if (isSelected(p.get())) {
            if (count == 3)
                return false;
            s[count++] = p.get();
        }
    if (count < 3)
        return false;
    auto oneOfThem = [&](const Point3D* c) { return c == s[0] || c == s[1] || c == s[2]; };
    for (const auto& f : mesh.faces)
        if (oneOfThem(f->p1) && oneOfThem(f->p2) && oneOfThem(f->p3))
            return false;
    addFace(mesh, s[0], s[1], s[2]);
    return true;
}

void removeSelectedFaces(Component3D& mesh)
{
    auto& faces = mesh.faces;
    faces.erase(std::remove_if(faces.begin(), faces.end(),
                               [](const auto& f) {
                                   return isSelected(f->p1) && isSelected(f->p2) &&
                                          isSelected(f->p3);
                               }),
                faces.end());
}

void removeSelectedPoints(Component3D& mesh)
{
    auto& faces = mesh.faces;
    faces.erase(std::remove_if(faces.begin(), faces.end(),
                               [](const auto& f) {
                                   return isSelected(f->p1) || isSelected(f->p2) ||
                                          isSelected(f->p3);
                               }),
                faces.end());
    // Both lists go by the flag of points[i].
    size_t kept = 0;
    const size_t n = std::min(mesh.points.size(), mesh.staticPoints.size());
    for (size_t i = 0; i < n; ++i) {
        if (isSelected(mesh.points[i].get()))
            continue;
        std::swap(mesh.points[kept], mesh.points[i]);
        std::swap(mesh.staticPoints[kept], mesh.staticPoints[i]);
        ++kept;
    }
    mesh.points.resize(kept);
    mesh.staticPoints.resize(kept);
}

void extendSelection(Component3D& mesh)
{
    const size_t n = mesh.points.size();
    const size_t faceCount = mesh.faces.size();
    for (size_t i = 0; i < n; ++i) {
        Point3D* p = mesh.points[i].get();
        if (isSelected(p)) {
            auto* copy = new Point3D(p->x, p->y, p->z);
            p->link = copy;
            mesh.addPoint(copy);
        }
    }
    auto copyOf = [](const Point3D* p) { return static_cast<Point3D*>(p->link); };
    std::set<std::pair<Point3D*, Point3D*>> handled;   // each edge once, either direction
    for (size_t k = 0; k < faceCount; ++k) {
        Triangle3D& f = *mesh.faces[k];
        const std::pair<Point3D*, Point3D*> edges[3] = {{f.p1, f.p2}, {f.p2, f.p3}, {f.p3, f.p1}};
        for (const auto& [u, v] : edges) {
            if (!isSelected(u) || !isSelected(v))
                continue;
            if (!handled.insert(std::minmax(u, v)).second)
                continue;
            addFace(mesh, u, copyOf(u), copyOf(v));
            addFace(mesh, u, v, copyOf(v));
        }
    }
    for (size_t i = 0; i < n; ++i) {
        Point3D* p = mesh.points[i].get();
        if (isSelected(p)) {
            p->selected = 0;
            copyOf(p)->selected = 1;
        }
    }
}

}  // namespace ovek
