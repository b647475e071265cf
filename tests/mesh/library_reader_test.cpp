#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <random>
#include <set>

#include "mesh/library_reader.h"
#include "mesh/model_open.h"
#include "tests/mesh/model_samples.h"
#include "tests/test_util.h"

namespace {

using Position = std::array<double, 3>;

Position at(const Point3D* p)
{
    return {p->x, p->y, p->z};
}

// The cube's faces as rotations of their corners' positions, so that a face
// read back in any starting corner, but the same turning, matches.
std::set<std::array<Position, 3>> cubeFaces()
{
    std::set<std::array<Position, 3>> faces;
    auto pos = [](int i) {
        return Position{samples::Cube::coord(i, 0), samples::Cube::coord(i, 1),
                        samples::Cube::coord(i, 2)};
    };
    for (const auto& f : samples::Cube::faces)
        for (int r = 0; r < 3; ++r)
            faces.insert({pos(f[r]), pos(f[(r + 1) % 3]), pos(f[(r + 2) % 3])});
    return faces;
}

// A mesh holding one marked point, to see that a refusal leaves it alone.
void mark(Component3D& mesh)
{
    mesh.clear();
    mesh.addPoint(new Point3D(7, 7, 7));
}

bool stillMarked(const Component3D& mesh)
{
    return mesh.points.size() == 1 && mesh.points[0]->x == 7 && mesh.faces.empty();
}

TEST(LibraryModels, EveryFormatGivesTheCubesEightPointsAndTwelveFacesTurnedTheSameWay)
{
    testutil::TempDir dir;
    const auto expected = cubeFaces();
    int n = 0;
    for (const samples::Sample& s : samples::cubeSamples()) {
        // The ending in capitals for every other file: letter case does not matter.
        std::string ending = s.ending;
        if (n % 2)
            for (char& c : ending)
                c = char(std::toupper(c));
        const std::string path = dir.file("cube" + std::to_string(n++) + ending);
        testutil::writeFile(path, s.bytes);
        Component3D mesh;
        const ovek::FileResult r = ovek::openModelFile(path, &mesh);
        ASSERT_TRUE(r) << path << ": " << r.error;
        EXPECT_EQ(mesh.points.size(), 8u) << path;
        ASSERT_EQ(mesh.faces.size(), 12u) << path;
        // The cube fills the box exactly, so the fit leaves the file's own
        // coordinates: y up stays y up.
        for (const auto& f : mesh.faces)
            EXPECT_EQ(expected.count({at(f->p1), at(f->p2), at(f->p3)}), 1u) << path;
    }
}

TEST(LibraryModels, EveryNodePlacesItsMeshesAndTheFitTakesTheWholeScene)
{
    const std::string file = samples::twoNodeGLTF(4);
    ovek::MeshData data;
    ASSERT_TRUE(ovek::readLibraryModel(reinterpret_cast<const uint8_t*>(file.data()), file.size(),
                                       "gltf", data));
    ASSERT_EQ(data.pointCount(), 16u);
    EXPECT_EQ(data.faceCount(), 24u);
    std::multiset<double> xs;
    for (size_t i = 0; i < data.pointCount(); ++i)
        xs.insert(data.xyz[3 * i]);
    EXPECT_EQ(xs, (std::multiset<double>{-1, -1, -1, -1, 1, 1, 1, 1, 3, 3, 3, 3, 5, 5, 5, 5}));

    // Opened, the pair spans x -1..5 and is fitted by it: scale 1/3.
    testutil::TempDir dir;
    testutil::writeFile(dir.file("two.gltf"), file);
    Component3D mesh;
    ASSERT_TRUE(ovek::openModelFile(dir.file("two.gltf"), &mesh));
    EXPECT_DOUBLE_EQ(mesh.boundMin.x, -1);
    EXPECT_DOUBLE_EQ(mesh.boundMax.x, 1);
    EXPECT_DOUBLE_EQ(mesh.boundMax.y - mesh.boundMin.y, 2.0 / 3);
}

TEST(LibraryModels, AGltfReadsItsBufferFromTheFileBesideIt)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("cube.bin"), samples::cubeBuffer());
    testutil::writeFile(dir.file("cube.gltf"), samples::cubeGLTFWithBufferFile("cube.bin"));
    Component3D mesh;
    const ovek::FileResult r = ovek::openModelFile(dir.file("cube.gltf"), &mesh);
    ASSERT_TRUE(r) << r.error;
    EXPECT_EQ(mesh.faces.size(), 12u);
}

TEST(LibraryModels, SharedPositionsAreJoinedAndFacesOverOnePointTwiceAreDropped)
{
    // Two triangles given as separate corners sharing an edge, and a sliver
    // whose corners meet at one position.
    const std::string obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 1 0\n"
                            "f 1 2 3\nf 4 5 6\nf 3 6 7\n";
    ovek::MeshData data;
    ASSERT_TRUE(ovek::readLibraryModel(reinterpret_cast<const uint8_t*>(obj.data()), obj.size(),
                                       "obj", data));
    EXPECT_EQ(data.pointCount(), 4u);
    EXPECT_EQ(data.corners, (std::vector<uint32_t>{0, 1, 2, 1, 3, 2}));
}

// A file whose text stands in for its counts: each must be refused with a
// reason, in bounded time and memory, leaving the mesh as it was.
TEST(LibraryModels, HostileFilesAreRefusedWithReasonsAndChangeNothing)
{
    testutil::TempDir dir;
    std::vector<std::pair<std::string, std::string>> files = {
        {"huge.ply", "ply\nformat binary_little_endian 1.0\nelement vertex 2147483648\n"
                     "property float x\nproperty float y\nproperty float z\nelement face 1\n"
                     "property list uchar int vertex_indices\nend_header\n"},
        {"huge.off", "OFF\n2000000000 2000000000 0\n0 0 0\n"},
        {"many.stl", samples::cubeSTLBinary().substr(0, 80) + "\xff\xff\xff\x7f"},
        {"empty.obj", ""},
        {"lines.obj", "v 0 0 0\nv 1 0 0\nl 1 2\n"},
        {"nothing.glb", "glTF\x02\0\0\0\xff\xff\xff\xff"},
        {"text.fbx", "; FBX 7.3.0 project file\nObjects: {\n"},
        {"broken.dae", "<?xml version=\"1.0\"?><COLLADA><library_geometries>"},
    };
    std::mt19937 random(23);
    for (size_t i = 0; i < ovek::kLibraryModelEndingCount; ++i) {
        std::string noise(4096, '\0');
        for (char& c : noise)
            c = char(random());
        files.push_back({"noise" + std::string(ovek::kLibraryModelEndings[i]), noise});
    }
    for (const auto& [name, bytes] : files) {
        testutil::writeFile(dir.file(name), bytes);
        Component3D mesh;
        mark(mesh);
        ovek::ContainLimits limits;
        limits.seconds = 10;
        const ovek::FileResult r = ovek::openModelFile(dir.file(name), &mesh, Point3D(-1, 1, -1),
                                                       Point3D(1, -1, 1), limits);
        EXPECT_FALSE(r) << name;
        EXPECT_FALSE(r.error.empty()) << name;
        EXPECT_TRUE(stillMarked(mesh)) << name;
    }
    // Every sample cut in half: refused, or read as far as it goes (text STL).
    int n = 0;
    for (const samples::Sample& s : samples::cubeSamples()) {
        const std::string name = "cut" + std::to_string(n++) + s.ending;
        testutil::writeFile(dir.file(name), s.bytes.substr(0, s.bytes.size() / 2));
        Component3D mesh;
        mark(mesh);
        const ovek::FileResult r = ovek::openModelFile(dir.file(name), &mesh);
        if (r) {
            EXPECT_GT(mesh.faces.size(), 0u) << name;
            EXPECT_LT(mesh.faces.size(), 12u) << name;
        } else {
            EXPECT_FALSE(r.error.empty()) << name;
            EXPECT_TRUE(stillMarked(mesh)) << name;
        }
    }
}

TEST(LibraryModels, AModelPastTheFaceCapIsRefusedBeforeItIsBuilt)
{
    // One mesh of 100 000 faces, placed by 21 nodes: 2.1 million faces.
    std::string bin;
    for (int i = 0; i < 9; ++i)
        samples::appendFloat(bin, float(i % 3 == i / 3));   // (1,0,0) (0,1,0) (0,0,1)
    for (int f = 0; f < 100000; ++f)
        for (int c = 0; c < 3; ++c) {
            bin += char(c);
            bin += char(0);
        }
    std::string nodes = "[";
    std::string scene = "[";
    for (int i = 0; i < 21; ++i) {
        nodes += std::string(i ? "," : "") + "{\"mesh\":0}";
        scene += std::string(i ? "," : "") + std::to_string(i);
    }
    const std::string gltf =
        "{\"asset\":{\"version\":\"2.0\"},\"scene\":0,\"scenes\":[{\"nodes\":" + scene +
        "]}],\"nodes\":" + nodes +
        "],\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0},\"indices\":1}]}],"
        "\"buffers\":[{\"byteLength\":" + std::to_string(bin.size()) +
        ",\"uri\":\"many.bin\"}],\"bufferViews\":[{\"buffer\":0,\"byteLength\":36},"
        "{\"buffer\":0,\"byteOffset\":36,\"byteLength\":600000}],\"accessors\":["
        "{\"bufferView\":0,\"componentType\":5126,\"count\":3,\"type\":\"VEC3\","
        "\"min\":[0,0,0],\"max\":[1,1,1]},"
        "{\"bufferView\":1,\"componentType\":5123,\"count\":300000,\"type\":\"SCALAR\"}]}";
    testutil::TempDir dir;
    testutil::writeFile(dir.file("many.bin"), bin);
    testutil::writeFile(dir.file("many.gltf"), gltf);
    Component3D mesh;
    mark(mesh);
    const ovek::FileResult r = ovek::openModelFile(dir.file("many.gltf"), &mesh);
    EXPECT_EQ(r.error, "the model has 2100000 faces; the limit is 2000000");
    EXPECT_TRUE(stillMarked(mesh));
}

TEST(LibraryModels, FilesThatAreNoModelsAreRefusedBeforeAnyReading)
{
    testutil::TempDir dir;
    Component3D mesh;
    mark(mesh);
    EXPECT_EQ(ovek::openModelFile(dir.file("missing.obj"), &mesh).error,
              "cannot open the file: No such file or directory");
    std::filesystem::create_directories(dir.file("folder.stl"));
    EXPECT_EQ(ovek::openModelFile(dir.file("folder.stl"), &mesh).error,
              "it is a folder, not a model");
    std::filesystem::create_symlink("/dev/zero", dir.file("zero.ply"));
    EXPECT_EQ(ovek::openModelFile(dir.file("zero.ply"), &mesh).error, "it is not a regular file");
    EXPECT_TRUE(stillMarked(mesh));
    EXPECT_EQ(ovek::modelKindOf("a.GLB"), ovek::ModelKind::Library);
    EXPECT_EQ(ovek::modelKindOf("a.dae"), ovek::ModelKind::Library);
    EXPECT_EQ(ovek::modelKindOf("a.3ds"), ovek::ModelKind::ThreeDS);
    EXPECT_EQ(ovek::modelKindOf("obj"), ovek::ModelKind::None);
}

}  // namespace

namespace {

// Inputs on which the library crashes, aborts, runs out of memory or never
// finishes (found by tests/fuzz/library_fuzz.cpp, whose first byte picks the
// format): each becomes a refusal with a reason, the endless ones at the time
// limit.
TEST(LibraryModels, FilesThatBreakTheLibraryAreRefusedAndChangeNothing)
{
    const std::filesystem::path found =
        std::filesystem::path(PEXOLEN_SOURCE_DIR) / "tests/fuzz/regressions/library-contained";
    testutil::TempDir dir;
    ovek::ContainLimits limits;
    limits.seconds = 1;
    limits.memoryBytes = size_t(512) << 20;
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(found)) {
        const std::string bytes = testutil::readFile(entry.path().string());
        ASSERT_FALSE(bytes.empty());
        const std::string path =
            dir.file("found" + std::to_string(n++) +
                     ovek::kLibraryModelEndings[uint8_t(bytes[0]) % ovek::kLibraryModelEndingCount]);
        testutil::writeFile(path, bytes.substr(1));
        Component3D mesh;
        mark(mesh);
        const ovek::FileResult r =
            ovek::openModelFile(path, &mesh, Point3D(-1, 1, -1), Point3D(1, -1, 1), limits);
        EXPECT_FALSE(r) << entry.path();
        if (entry.path().filename().string().find("endless") != std::string::npos)
            EXPECT_EQ(r.error, "reading the file took longer than 1 s; it may be damaged")
                << entry.path();
        else
            EXPECT_FALSE(r.error.empty()) << entry.path();
        EXPECT_TRUE(stillMarked(mesh)) << entry.path();
    }
    EXPECT_GT(n, 0);
}

}  // namespace
