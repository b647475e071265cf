#include "mesh/model_file.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <unordered_map>

#include "base/atomic_file.h"
#include "base/byte_order.h"

namespace ovek {

namespace {

constexpr size_t kPointBytes = 25;
constexpr size_t kFaceBytes = 12;

void put32(std::string& out, int32_t v)
{
    appendLE32(out, uint32_t(v));
}

void putDouble(std::string& out, double v)
{
    uint64_t u;
    std::memcpy(&u, &v, 8);
    for (int i = 0; i < 8; ++i)
        out.push_back(char(u >> (8 * i)));
}

int32_t get32(const uint8_t* p)
{
    return int32_t(getLE32(p));
}

double getDouble(const uint8_t* p)
{
    uint64_t u = 0;
    for (int i = 0; i < 8; ++i)
        u |= uint64_t(p[i]) << (8 * i);
    double v;
    std::memcpy(&v, &u, 8);
    return v;
}

}  // namespace

uint64_t modelFileBytes(uint64_t points, uint64_t faces)
{
    // Exact for any count that fits in memory (below 2^48 entries).
    return 12 + kPointBytes * points + kFaceBytes * faces;
}

FileResult saveModel(const char* path, const Component3D* mesh)
{
    const size_t n = mesh->points.size();
    const size_t m = mesh->faces.size();
    // A file that loadModel would refuse is not written: what is saved, an
    // undo step included, can always be read back. The cap also keeps both
    // counts far below the format's int32 limit.
    if (const uint64_t bytes = modelFileBytes(n, m); bytes > kMaxModelBytes) {
        const uint64_t mib = (bytes + (1 << 20) - 1) >> 20;   // rounded up
        return FileResult::failure("the mesh is too large for a model file: " + std::to_string(n) +
                                   " points and " + std::to_string(m) + " faces need " +
                                   std::to_string(mib) + " MiB, more than the " +
                                   std::to_string(kMaxModelBytes >> 20) +
                                   " MiB a model file may hold");
    }
    std::unordered_map<const Point3D*, int32_t> indexOf;
    indexOf.reserve(n);
    std::string out;
    out.reserve(12 + kPointBytes * n + kFaceBytes * m);
    put32(out, 0);
    put32(out, int32_t(n));
    for (size_t i = 0; i < n; ++i) {
        const Point3D& p = *mesh->points[i];
        indexOf.emplace(&p, int32_t(i));
        putDouble(out, p.x);
        putDouble(out, p.y);
        putDouble(out, p.z);
        out.push_back(char(p.selected));
    }
    put32(out, int32_t(m));
    for (const auto& f : mesh->faces)
        for (const Point3D* c : {f->p1, f->p2, f->p3}) {
            const auto it = indexOf.find(c);
            if (it == indexOf.end())
                return FileResult::failure("a face corner is not one of the mesh's points");
            put32(out, it->second);
        }
    return writeFileAtomically(path, [&](std::FILE* file) {
        return std::fwrite(out.data(), 1, out.size(), file) == out.size();
    });
}

FileResult decodeModel(const uint8_t* data, size_t size, Component3D* mesh)
{
    // Both counts are checked against the file's size before anything is made.
    if (size < 8)
        return FileResult::failure("the file is too short for a model header");
    const int32_t n = get32(data + 4);
    if (n < 0)
        return FileResult::failure("the point count is negative");
    const size_t pointsEnd = 8 + kPointBytes * size_t(n);   // no overflow: n < 2^31
    if (size < pointsEnd + 4)
        return FileResult::failure("the file ends inside the points");
    const int32_t m = get32(data + pointsEnd);
    if (m < 0)
        return FileResult::failure("the face count is negative");
    const size_t facesStart = pointsEnd + 4;
    if ((size - facesStart) / kFaceBytes < size_t(m))
        return FileResult::failure("the file ends inside the faces");
    // Bytes after the faces are not part of the model and are left unread.

    Component3D read;
    read.points.reserve(size_t(n));
    read.staticPoints.reserve(size_t(n));
    for (size_t i = 0; i < size_t(n); ++i) {
        const uint8_t* rec = data + 8 + kPointBytes * i;
        auto p = std::make_unique<Point3D>(getDouble(rec), getDouble(rec + 8), getDouble(rec + 16));
        if (!std::isfinite(p->x) || !std::isfinite(p->y) || !std::isfinite(p->z))
            return FileResult::failure("point " + std::to_string(i) +
                                       " has a coordinate that is not a finite number");
        p->selected = rec[24];
        auto s = std::make_unique<Point3D>(*p);
        read.points.push_back(std::move(p));
        read.staticPoints.push_back(std::move(s));
    }
    read.faces.reserve(size_t(m));
    for (size_t i = 0; i < size_t(m); ++i) {
        const uint8_t* rec = data + facesStart + kFaceBytes * i;
        Point3D* corner[3];
        for (int k = 0; k < 3; ++k) {
            const int32_t at = get32(rec + 4 * k);
            if (at < 0 || at >= n)
                return FileResult::failure("face " + std::to_string(i) + " uses point " +
                                           std::to_string(at) + " of " + std::to_string(n));
            corner[k] = read.points[size_t(at)].get();
        }
        read.faces.push_back(std::make_unique<Triangle3D>(corner[0], corner[1], corner[2]));
    }
    // Only the lists change hands; the old ones go with the temporary mesh.
    mesh->points.swap(read.points);
    mesh->staticPoints.swap(read.staticPoints);
    mesh->faces.swap(read.faces);
    // Not a change of the transform (that stays, unapplied), but what was
    // drawn from the old lists is stale.
    ++mesh->listsReplaced;
    return FileResult::success();
}

FileResult loadModel(const char* path, Component3D* mesh)
{
    std::string bytes;
    if (FileResult r = readWholeFile(path, kMaxModelBytes, bytes); !r)
        return r;
    return decodeModel(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), mesh);
}

const char* getRootPath()
{
    static const std::string root = [] {
        std::error_code ec;
        const std::filesystem::path cwd = std::filesystem::current_path(ec);
        return ec ? std::string(".") : cwd.string();
    }();
    return root.c_str();
}

}  // namespace ovek
