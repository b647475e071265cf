#include "mesh/library_reader.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "base/name_ending.h"

namespace ovek {

const char* const kLibraryModelEndings[] = {".obj", ".stl", ".ply", ".gltf", ".glb",
                                            ".off", ".fbx", ".dae"};
const size_t kLibraryModelEndingCount = sizeof(kLibraryModelEndings) / sizeof(char*);

namespace {

// A node tree deeper than this is refused: no real model nests so far, and
// every level costs a matrix on the walk's stack.
constexpr size_t kMaxNodeDepth = 1000;
constexpr size_t kMaxNodes = 1000000;

struct Matrix {
    double m[4][4];   // row-major, applied to column vectors
};

Matrix matrixOf(const aiMatrix4x4& a)
{
    return {{{a.a1, a.a2, a.a3, a.a4},
             {a.b1, a.b2, a.b3, a.b4},
             {a.c1, a.c2, a.c3, a.c4},
             {a.d1, a.d2, a.d3, a.d4}}};
}

Matrix times(const Matrix& a, const Matrix& b)
{
    Matrix r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                r.m[i][j] += a.m[i][k] * b.m[k][j];
    return r;
}

// Joins points at the same position: an open-addressing table of indices
// into xyz, kept at most half full. Positions compare by their bits, with -0
// taken as 0.
class PointJoiner {
public:
    explicit PointJoiner(std::vector<double>& xyz) : xyz_(xyz) { slots_.assign(1024, kEmpty); }

    uint32_t add(const double p[3])
    {
        double q[3];
        for (int i = 0; i < 3; ++i)
            q[i] = p[i] == 0 ? 0.0 : p[i];
        if (2 * (count_ + 1) > slots_.size())
            grow();
        for (size_t at = hash(q) & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
            const uint32_t i = slots_[at];
            if (i == kEmpty) {
                slots_[at] = uint32_t(count_++);
                xyz_.insert(xyz_.end(), q, q + 3);
                return slots_[at];
            }
            if (std::memcmp(&xyz_[3 * size_t(i)], q, sizeof q) == 0)
                return i;
        }
    }

private:
    static constexpr uint32_t kEmpty = UINT32_MAX;

    static size_t hash(const double q[3])
    {
        uint64_t h = 0;
        for (int i = 0; i < 3; ++i) {
            uint64_t b;
            std::memcpy(&b, &q[i], 8);
            h = (h ^ b) * 0x9E3779B97F4A7C15ull;
            h ^= h >> 31;
        }
        return size_t(h);
    }

    void grow()
    {
        std::vector<uint32_t> old(slots_.size() * 2, kEmpty);
        old.swap(slots_);
        for (uint32_t i : old) {
            if (i == kEmpty)
                continue;
            size_t at = hash(&xyz_[3 * size_t(i)]) & (slots_.size() - 1);
            while (slots_[at] != kEmpty)
                at = (at + 1) & (slots_.size() - 1);
            slots_[at] = i;
        }
    }

    std::vector<double>& xyz_;
    std::vector<uint32_t> slots_;   // a power of two in size
    size_t count_ = 0;
};

struct Instance {
    const aiMesh* mesh;
    Matrix place;
};

// Every (mesh, transform) the node tree places, in depth-first order; checks
// every reference before it is followed.
FileResult gatherInstances(const aiScene& scene, std::vector<Instance>& out)
{
    struct Step {
        const aiNode* node;
        Matrix parent;
        size_t depth;
    };
    const Matrix identity = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    std::vector<Step> todo{{scene.mRootNode, identity, 0}};
    size_t visited = 0;
    while (!todo.empty()) {
        const Step s = todo.back();
        todo.pop_back();
        if (!s.node)
            return FileResult::failure("the model's node tree has an empty node");
        if (++visited > kMaxNodes || s.depth > kMaxNodeDepth)
            return FileResult::failure("the model's node tree is too large or too deep");
        const Matrix place = times(s.parent, matrixOf(s.node->mTransformation));
        for (unsigned i = 0; i < s.node->mNumMeshes; ++i) {
            const unsigned at = s.node->mMeshes[i];
            if (at >= scene.mNumMeshes || !scene.mMeshes[at])
                return FileResult::failure("a node names mesh " + std::to_string(at) + " of " +
                                           std::to_string(scene.mNumMeshes));
            out.push_back({scene.mMeshes[at], place});
        }
        // Children pushed last first, so that they are visited in order.
        for (unsigned i = s.node->mNumChildren; i-- > 0;)
            todo.push_back({s.node->mChildren[i], place, s.depth + 1});
    }
    return FileResult::success();
}

FileResult flatten(const aiScene& scene, MeshData& out)
{
    std::vector<Instance> instances;
    if (FileResult r = gatherInstances(scene, instances); !r)
        return r;
    // The counts before joining bound everything that follows; a mesh placed
    // many times counts each time.
    uint64_t triangles = 0;
    for (const Instance& in : instances) {
        const aiMesh& m = *in.mesh;
        if (m.mNumFaces && (!m.mFaces || !m.mVertices))
            return FileResult::failure("a mesh has faces but no points");
        for (unsigned f = 0; f < m.mNumFaces; ++f)
            triangles += m.mFaces[f].mNumIndices == 3;
    }
    if (const std::string why = meshCountProblem(0, triangles); !why.empty())
        return FileResult::failure(why);

    out.xyz.clear();
    out.corners.clear();
    out.corners.reserve(3 * size_t(triangles));
    PointJoiner joiner(out.xyz);
    std::vector<uint32_t> local;
    for (const Instance& in : instances) {
        const aiMesh& m = *in.mesh;
        // Each of the mesh's points once, placed and joined: its index in out.
        local.assign(m.mNumVertices, UINT32_MAX);
        auto pointOf = [&](unsigned v) -> uint32_t {
            if (local[v] != UINT32_MAX)
                return local[v];
            const aiVector3D& a = m.mVertices[v];
            const double s[4] = {a.x, a.y, a.z, 1};
            double p[3];
            for (int i = 0; i < 3; ++i)
                p[i] = in.place.m[i][0] * s[0] + in.place.m[i][1] * s[1] +
                       in.place.m[i][2] * s[2] + in.place.m[i][3];
            return local[v] = joiner.add(p);
        };
        for (unsigned f = 0; f < m.mNumFaces; ++f) {
            const aiFace& face = m.mFaces[f];
            if (face.mNumIndices != 3)
                continue;   // points and lines have no surface to show
            uint32_t c[3];
            for (int k = 0; k < 3; ++k) {
                if (face.mIndices[k] >= m.mNumVertices)
                    return FileResult::failure("a face uses point " +
                                               std::to_string(face.mIndices[k]) + " of " +
                                               std::to_string(m.mNumVertices));
                c[k] = pointOf(face.mIndices[k]);
            }
            if (c[0] != c[1] && c[1] != c[2] && c[0] != c[2])
                out.corners.insert(out.corners.end(), c, c + 3);
        }
    }
    for (double v : out.xyz)
        if (!std::isfinite(v))
            return FileResult::failure("a point has a coordinate that is not a finite number");
    if (out.faceCount() == 0)
        return FileResult::failure("the file holds no triangles to show");
    return FileResult::success();
}

std::string formatName(const std::string& ending)
{
    std::string name;
    for (char c : ending)
        if (c != '.')
            name += char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (name == "GLB")
        return "glTF";
    return name == "GLTF" ? "glTF" : name == "DAE" ? "COLLADA" : name;
}

// The library's own message, on one line and not too long to show.
std::string libraryReason(const char* message)
{
    std::string why = message ? message : "";
    // The library catches running out of memory itself and names the exception.
    if (why.find("bad_alloc") != std::string::npos)
        return "it needs more memory than the reader may use";
    for (char& c : why)
        if (c == '\n' || c == '\r')
            c = ' ';
    if (why.size() > 300)
        why = why.substr(0, 300) + "...";
    return why.empty() ? "the library gave no reason" : why;
}

const unsigned kSteps = aiProcess_Triangulate;

FileResult finish(Assimp::Importer& importer, const aiScene* scene, const std::string& ending,
                  MeshData& out)
{
    if (!scene || !scene->mRootNode)
        return FileResult::failure("the file is not a valid " + formatName(ending) + ": " +
                                   libraryReason(importer.GetErrorString()));
    return flatten(*scene, out);
}

std::string endingOf(const std::string& path)
{
    for (size_t i = 0; i < kLibraryModelEndingCount; ++i)
        if (endsWithNoCase(path, kLibraryModelEndings[i]))
            return kLibraryModelEndings[i];
    return "";
}

}  // namespace

bool isLibraryModelName(const std::string& path)
{
    return !endingOf(path).empty();
}

FileResult readLibraryModel(const std::string& path, MeshData& out)
{
    const std::string ending = endingOf(path);
    if (ending.empty())
        return FileResult::failure("not a model file the library reads");
    try {
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(path.c_str(), kSteps);
        return finish(importer, scene, ending, out);
    } catch (const std::bad_alloc&) {
        return FileResult::failure("reading the file needs more memory than there is");
    } catch (const std::exception& e) {
        return FileResult::failure("the file is not a valid " + formatName(ending) + ": " +
                                   libraryReason(e.what()));
    }
}

FileResult readLibraryModel(const uint8_t* data, size_t size, const std::string& ending,
                            MeshData& out)
{
    const std::string hint = !ending.empty() && ending[0] == '.' ? ending.substr(1) : ending;
    try {
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFileFromMemory(data, size, kSteps, hint.c_str());
        return finish(importer, scene, ending, out);
    } catch (const std::bad_alloc&) {
        return FileResult::failure("reading the file needs more memory than there is");
    } catch (const std::exception& e) {
        return FileResult::failure("the file is not a valid " + formatName(ending) + ": " +
                                   libraryReason(e.what()));
    }
}

}  // namespace ovek
