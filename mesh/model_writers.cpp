#include "mesh/model_writers.h"

#include <charconv>
#include <cstring>
#include <unordered_map>

#include "base/atomic_file.h"
#include "base/byte_order.h"
#include "base/name_ending.h"
#include "mesh/model_file.h"

namespace ovek {

namespace {

// Corner indices of every face, or a failure when a corner is no point of
// the mesh. The counts must fit the formats' 32-bit fields.
FileResult faceIndices(const Component3D& mesh, std::vector<uint32_t>& out)
{
    if (mesh.points.size() > UINT32_MAX / 2 || mesh.faces.size() > UINT32_MAX / 2)
        return FileResult::failure("the mesh is too large for the file");
    std::unordered_map<const Point3D*, uint32_t> indexOf;
    indexOf.reserve(mesh.points.size());
    for (size_t i = 0; i < mesh.points.size(); ++i)
        indexOf.emplace(mesh.points[i].get(), uint32_t(i));
    out.clear();
    out.reserve(3 * mesh.faces.size());
    for (const auto& f : mesh.faces)
        for (const Point3D* c : {f->p1, f->p2, f->p3}) {
            const auto it = indexOf.find(c);
            if (it == indexOf.end())
                return FileResult::failure("a face corner is not one of the mesh's points");
            out.push_back(it->second);
        }
    return FileResult::success();
}

FileResult writeBytes(const std::string& path, const std::string& bytes)
{
    return writeFileAtomically(path, [&](std::FILE* file) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    });
}

void appendNumber(std::string& out, double v)
{
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, v);
    out.append(text, r.ptr);
}

void appendFloat(std::string& out, float v)
{
    uint32_t u;
    std::memcpy(&u, &v, 4);
    appendLE32(out, u);
}

}  // namespace

ModelWriteFormat modelWriteFormatOf(const std::string& path)
{
    if (endsWithNoCase(path, ".obj"))
        return ModelWriteFormat::OBJ;
    if (endsWithNoCase(path, ".stl"))
        return ModelWriteFormat::STL;
    if (endsWithNoCase(path, ".ply"))
        return ModelWriteFormat::PLY;
    return ModelWriteFormat::Native;
}

FileResult saveOBJ(const std::string& path, const Component3D& mesh)
{
    std::vector<uint32_t> corners;
    if (FileResult r = faceIndices(mesh, corners); !r)
        return r;
    std::string out = "# Pexolen mesh: " + std::to_string(mesh.points.size()) + " points, " +
                      std::to_string(mesh.faces.size()) + " faces\n";
    for (const auto& p : mesh.points) {
        out += "v ";
        appendNumber(out, p->x);
        out += ' ';
        appendNumber(out, p->y);
        out += ' ';
        appendNumber(out, p->z);
        out += '\n';
    }
    for (size_t i = 0; i < corners.size(); i += 3)
        out += "f " + std::to_string(corners[i] + 1) + ' ' + std::to_string(corners[i + 1] + 1) +
               ' ' + std::to_string(corners[i + 2] + 1) + '\n';
    return writeBytes(path, out);
}

FileResult saveSTL(const std::string& path, const Component3D& mesh)
{
    std::vector<uint32_t> corners;
    if (FileResult r = faceIndices(mesh, corners); !r)
        return r;
    // The 80-byte header must not start with "solid", which marks the text form.
    std::string out = "Pexolen mesh";
    out.resize(80, ' ');
    appendLE32(out, uint32_t(mesh.faces.size()));
    out.reserve(84 + 50 * mesh.faces.size());
    for (const auto& f : mesh.faces) {
        Point3D n;
        f->getNormal(&n);
        // The normal of the corners' counter-clockwise order, as STL readers expect.
        for (double v : {-n.x, -n.y, -n.z})
            appendFloat(out, float(v));
        for (const Point3D* c : {f->p1, f->p2, f->p3})
            for (double v : {c->x, c->y, c->z})
                appendFloat(out, float(v));
        out += std::string(2, '\0');
    }
    return writeBytes(path, out);
}

FileResult savePLY(const std::string& path, const Component3D& mesh)
{
    std::vector<uint32_t> corners;
    if (FileResult r = faceIndices(mesh, corners); !r)
        return r;
    std::string out = "ply\nformat binary_little_endian 1.0\ncomment Pexolen mesh\nelement vertex " +
                      std::to_string(mesh.points.size()) +
                      "\nproperty float x\nproperty float y\nproperty float z\nelement face " +
                      std::to_string(mesh.faces.size()) +
                      "\nproperty list uchar int vertex_indices\nend_header\n";
    out.reserve(out.size() + 12 * mesh.points.size() + 13 * mesh.faces.size());
    for (const auto& p : mesh.points)
        for (double v : {p->x, p->y, p->z})
            appendFloat(out, float(v));
    for (size_t i = 0; i < corners.size(); i += 3) {
        out += char(3);
        for (int k = 0; k < 3; ++k)
            appendLE32(out, corners[i + size_t(k)]);
    }
    return writeBytes(path, out);
}

FileResult saveModelFile(const std::string& path, const Component3D& mesh)
{
    switch (modelWriteFormatOf(path)) {
    case ModelWriteFormat::OBJ:
        return saveOBJ(path, mesh);
    case ModelWriteFormat::STL:
        return saveSTL(path, mesh);
    case ModelWriteFormat::PLY:
        return savePLY(path, mesh);
    case ModelWriteFormat::Native:
        break;
    }
    return saveModel(path.c_str(), &mesh);
}

}  // namespace ovek
