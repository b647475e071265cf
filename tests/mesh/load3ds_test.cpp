#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "mesh/chunk3ds.h"
#include "mesh/load3ds.h"
#include "mesh/model_open.h"
#include "tests/mesh/mesh_builders.h"
#include "tests/test_util.h"
#include "tools/threeds_writer.h"

namespace {

using threeds::chunk;
using threeds::Object;

const Point3D kMin(-1, 1, -1);
const Point3D kMax(1, -1, 1);

ovek::FileResult load(const std::string& bytes, Component3D& mesh, const Point3D& min = kMin,
                      const Point3D& max = kMax)
{
    return ovek::load3DS(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &min, &max,
                         &mesh);
}

Object triangle(const std::string& name, float shift = 0)
{
    Object o;
    o.name = name;
    o.vertices = {{shift, 0, 0}, {shift + 1, 0, 0}, {shift, 1, 1}};
    o.faces = {{0, 1, 2}};
    return o;
}

// An object chunk whose triangle mesh chunk holds meshBody.
std::string objectWith(const std::string& meshBody)
{
    return chunk(threeds::kObject, std::string("o\0", 2) + chunk(threeds::kTriMesh, meshBody));
}

// A main chunk holding an editor chunk with the objects, then more chunks.
std::string mainWith(const std::string& objects, const std::string& after = {})
{
    return chunk(threeds::kMain, chunk(threeds::kEditor, objects) + after);
}

// A file of one object holding the given mesh body.
std::string wrap(const std::string& meshBody)
{
    return mainWith(objectWith(meshBody));
}

// A keyframer chunk far longer than any file here.
const std::string kLongKeyframer = chunk(0xB000, "frames", 1000);

// An object whose vertex list claims more than its mesh chunk holds.
const std::string kShortMesh = objectWith(chunk(threeds::kVertexList, threeds::u16(3), 44));

// Points (exactly) and faces (as point indices) of a mesh, to compare loads.
std::string describe(const Component3D& mesh)
{
    std::ostringstream out;
    out.precision(17);
    for (const auto& p : mesh.points)
        out << "p " << p->x << ' ' << p->y << ' ' << p->z << '\n';
    auto index = [&](const Point3D* p) {
        for (size_t i = 0; i < mesh.points.size(); ++i)
            if (mesh.points[i].get() == p)
                return long(i);
        return -1L;
    };
    for (const auto& f : mesh.faces)
        out << "f " << index(f->p1) << ' ' << index(f->p2) << ' ' << index(f->p3) << '\n';
    return out.str();
}

TEST(Load3DS, UnusedVerticesAreDroppedAndFacesFollowThem)
{
    Object o;
    o.vertices = {{0, 0, 0}, {9, 9, 9}, {1, 0, 0}, {0, 1, 0}};
    o.faces = {{3, 0, 2}, {2, 3, 0}};
    Component3D mesh;
    ASSERT_TRUE(load(threeds::file({o}), mesh));
    ASSERT_EQ(mesh.points.size(), 3u);
    ASSERT_EQ(mesh.staticPoints.size(), 3u);
    ASSERT_EQ(mesh.faces.size(), 2u);
    EXPECT_EQ(mesh.faces[0]->p1, mesh.points[2].get());
    EXPECT_EQ(mesh.faces[0]->p2, mesh.points[0].get());
    EXPECT_EQ(mesh.faces[0]->p3, mesh.points[1].get());
    EXPECT_EQ(mesh.faces[1]->p1, mesh.points[1].get());
    // Fitted into the box: x spans -1 .. 1.
    EXPECT_EQ(mesh.boundMin.x, -1);
    EXPECT_EQ(mesh.boundMax.x, 1);
    EXPECT_EQ(mesh.operating, 0);
    EXPECT_EQ(mesh.updatedCount, mesh.changeCount - 2);
}

TEST(Load3DS, ObjectsAreMergedOneAfterAnother)
{
    Component3D mesh;
    ASSERT_TRUE(load(threeds::file({triangle("a"), triangle("b", 5)}), mesh));
    ASSERT_EQ(mesh.points.size(), 6u);
    ASSERT_EQ(mesh.faces.size(), 2u);
    EXPECT_EQ(mesh.faces[1]->p1, mesh.points[3].get());
    EXPECT_EQ(mesh.faces[1]->p2, mesh.points[4].get());
    EXPECT_EQ(mesh.faces[1]->p3, mesh.points[5].get());
    EXPECT_TRUE(mesh.faceLists.empty());
}

TEST(Load3DS, AxesAreSwappedAndNegatedBeforeTheFit)
{
    Object o;
    o.vertices = {{1, 2, 3}, {-1, 0, 1}, {0, -2, -1}};
    o.faces = {{0, 1, 2}};
    o.material = "Red";   // a face list with material and smoothing sub-chunks
    Component3D mesh;
    // The box of the turned points themselves, so the fit changes nothing.
    const Point3D min(-1, -3, -2), max(1, 1, 2);
    ASSERT_TRUE(load(threeds::file({o}), mesh, min, max));
    ASSERT_EQ(mesh.points.size(), 3u);
    EXPECT_EQ(mesh.staticPoints[0]->x, 1);
    EXPECT_EQ(mesh.staticPoints[0]->y, -3);
    EXPECT_EQ(mesh.staticPoints[0]->z, -2);
    EXPECT_EQ(mesh.points[2]->y, 1);
    EXPECT_EQ(mesh.points[2]->z, 2);
}

TEST(Load3DS, WellFormedFileWithoutAMeshGivesAnEmptyMesh)
{
    Component3D mesh;
    meshtest::addPoints(mesh, {{1, 1, 1}});
    const std::string lightsOnly =
        chunk(threeds::kMain, chunk(threeds::kEditor, chunk(threeds::kObject, std::string("L\0", 2) +
                                                                                  chunk(0x4600, "xyzxyzxyzxyz"))));
    ASSERT_TRUE(load(lightsOnly, mesh));
    EXPECT_TRUE(mesh.points.empty());
    EXPECT_TRUE(mesh.faces.empty());
    // A trailing byte after the main chunk is not part of the tree.
    ASSERT_TRUE(load(threeds::file({triangle("a")}) + "!", mesh));
    EXPECT_EQ(mesh.points.size(), 3u);
}

TEST(Load3DS, DamagedFilesAreRefusedWithAReasonAndLeaveTheMesh)
{
    Component3D mesh;
    meshtest::addPoints(mesh, {{7, 7, 7}});
    auto expectRefused = [&](const std::string& bytes, const std::string& reason) {
        const ovek::FileResult r = load(bytes, mesh);
        EXPECT_FALSE(r) << reason;
        EXPECT_NE(r.error.find(reason), std::string::npos) << reason << " / " << r.error;
        ASSERT_EQ(mesh.points.size(), 1u) << reason;
        EXPECT_EQ(mesh.points[0]->x, 7);
    };
    const std::string verts = threeds::vertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    expectRefused("", "empty");
    expectRefused("invalid 3ds file\n", "not a 3DS file");
    expectRefused("MM\x10", "not a 3DS file");
    // A sound tree that does not start with a main chunk.
    expectRefused(threeds::file({triangle("a")}).substr(6), "not a 3DS file");
    expectRefused(chunk(threeds::kMain, chunk(threeds::kEditor, ""), 3), "shorter than its header");
    expectRefused(chunk(threeds::kMain, chunk(threeds::kEditor, "", 2)), "shorter than its header");
    // Clamped, but nothing complete before the cut.
    expectRefused(chunk(threeds::kMain, chunk(threeds::kEditor, "abcd", 20), 16) + std::string(20, 'x'),
                  "chunk 0x3D3D runs past its parent, before any complete mesh");
    expectRefused(threeds::file({triangle("a")}).substr(0, 16 + 6 + 6 + 2 + 6 + 20),
                  "chunk 0x4D4D runs past the end of the file, before any complete mesh");
    expectRefused(mainWith(kShortMesh), "0x4110 runs past the end of the file, before any");
    expectRefused(chunk(threeds::kMain, chunk(threeds::kEditor, chunk(threeds::kObject, "name"))),
                  "name runs past its chunk");
    expectRefused(wrap(threeds::faceList({{0, 1, 2}}) + verts), "before the vertex list");
    expectRefused(wrap(verts + threeds::faceList({{0, 1, 3}})), "beyond");
    expectRefused(wrap(chunk(threeds::kVertexList, threeds::u16(1000) + "short")), "vertex list runs past");
    expectRefused(wrap(verts + chunk(threeds::kFaceList, threeds::u16(2) + std::string(8, '\0'))),
                  "face list runs past");
    const float inf = INFINITY;
    expectRefused(wrap(threeds::vertexList({{0, inf, 0}})), "not a finite number");
    // After a complete mesh, in a file cut short: faults in whole chunks still
    // refuse it.
    const std::string a = threeds::object(triangle("a"));
    expectRefused(mainWith(a + objectWith(verts + threeds::faceList({{0, 1, 3}})), kLongKeyframer),
                  "beyond");
    expectRefused(mainWith(a + objectWith(chunk(threeds::kVertexList, threeds::u16(9) + "short")),
                           kLongKeyframer),
                  "vertex list runs past its chunk");
}

TEST(Load3DS, ChunksCutShortAreReadAsFarAsTheyGoWithAWarning)
{
    const std::string a = threeds::object(triangle("a"));
    const std::string version = chunk(threeds::kVersion, threeds::u32(3));
    const std::string onlyA = threeds::file({triangle("a")});
    const struct {
        const char* what;
        std::string bytes;
        std::string sameAs;   // a sound file that loads the same
        const char* warning;
    } cases[] = {
        {"keyframer past the file",
         chunk(threeds::kMain, version + chunk(threeds::kEditor, a) + kLongKeyframer), onlyA,
         "chunk 0xB000 runs past the end of the file; read up to there"},
        {"keyframer past the main chunk", mainWith(a, kLongKeyframer) + std::string(1000, 'x'), onlyA,
         "chunk 0xB000 runs past its parent; read up to there"},
        {"main chunk longer than the file", chunk(threeds::kMain, chunk(threeds::kEditor, a), 999),
         onlyA, "chunk 0x4D4D runs past the end of the file; read up to there"},
        {"second mesh cut in its vertex list",
         threeds::file({triangle("a"), triangle("b", 2)}).substr(0, 16 + 6 + a.size() + 30), onlyA,
         "read up to there, leaving out 1 mesh cut short"},
        {"mesh cut by its parent, the next one read",
         mainWith(kShortMesh + threeds::object(triangle("b", 2))), threeds::file({triangle("b", 2)}),
         "chunk 0x4110 runs past its parent; read up to there, leaving out 1 mesh cut short"},
    };
    for (const auto& c : cases) {
        Component3D mesh, expected;
        meshtest::addPoints(mesh, {{7, 7, 7}});
        ASSERT_TRUE(load(c.sameAs, expected)) << c.what;
        const ovek::FileResult r = load(c.bytes, mesh);
        ASSERT_TRUE(r) << c.what << ": " << r.error;
        EXPECT_NE(r.warning.find(c.warning), std::string::npos) << c.what << ": " << r.warning;
        EXPECT_EQ(mesh.faces.size(), 1u) << c.what;
        EXPECT_EQ(describe(mesh), describe(expected)) << c.what;
    }
}

TEST(Load3DS, AFileCutAtAnyLengthGivesTheMeshesCompleteBeforeTheCutOrIsRefused)
{
    Object b = triangle("b", 2);
    b.material = "Red";   // a cut inside the material group keeps the faces before it
    const std::string good = threeds::file({triangle("a"), b});
    Component3D first, both;
    ASSERT_TRUE(load(threeds::file({triangle("a")}), first));
    const ovek::FileResult whole = load(good, both);
    ASSERT_TRUE(whole);
    EXPECT_TRUE(whole.warning.empty()) << whole.warning;
    // Where each object's faces end, and so its mesh is complete: b's before
    // its material group.
    const std::string facesA = threeds::faceList(triangle("a").faces);
    const size_t endA = good.find(facesA) + facesA.size();
    const size_t endB = good.find(threeds::faceList(b.faces, b.material), endA) + 8 + 8;
    ASSERT_LT(endB, good.size());
    for (size_t cut = 0; cut < good.size(); ++cut) {
        Component3D mesh;
        meshtest::addPoints(mesh, {{7, 7, 7}});
        const ovek::FileResult r = load(good.substr(0, cut), mesh);
        if (cut < endA) {
            EXPECT_FALSE(r) << cut;
            EXPECT_FALSE(r.error.empty()) << cut;
            EXPECT_EQ(mesh.points.size(), 1u) << cut;
            continue;
        }
        ASSERT_TRUE(r) << cut << ": " << r.error;
        EXPECT_FALSE(r.warning.empty()) << cut;
        EXPECT_EQ(describe(mesh), describe(cut < endB ? first : both)) << cut;
    }
}

TEST(Load3DS, ChunkTreeKeepsFileOrderAndDumps)
{
    const std::string bytes = threeds::file({triangle("a")});
    MainChunk root;
    ASSERT_TRUE(ovek::parse3DS(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), root));
    ASSERT_EQ(root.children.size(), 2u);   // version, editor
    EXPECT_EQ(root.children[0]->id, threeds::kVersion);
    auto* block = dynamic_cast<ObjBlockChunk*>(root.children[1]->children.at(0).get());
    ASSERT_NE(block, nullptr);
    auto* tri = dynamic_cast<TriMeshChunk*>(block->children.at(0).get());
    ASSERT_NE(tri, nullptr);
    ASSERT_NE(tri->vertList, nullptr);
    EXPECT_EQ(tri->vertList->count, 3);
    ASSERT_NE(tri->localCoordinate, nullptr);
    EXPECT_EQ(tri->localCoordinate->matrix[1][1], 1);
    testing::internal::CaptureStdout();
    root.show();
    const std::string dump = testing::internal::GetCapturedStdout();
    EXPECT_NE(dump.find("(1.000000,0.000000,0.000000)\r\n"), std::string::npos) << dump;
    EXPECT_NE(dump.find("(0-1-2)\r\n"), std::string::npos) << dump;
}

TEST(Load3DS, PathsAreChosenByEndingInAnyCase)
{
    EXPECT_EQ(ovek::modelKindOf("a/b.3DS"), ovek::ModelKind::ThreeDS);
    EXPECT_EQ(ovek::modelKindOf("x.3ds"), ovek::ModelKind::ThreeDS);
    EXPECT_EQ(ovek::modelKindOf("x.OM"), ovek::ModelKind::Native);
    EXPECT_EQ(ovek::modelKindOf("x.bmp"), ovek::ModelKind::None);
    EXPECT_EQ(ovek::modelKindOf("testFormatDetection"), ovek::ModelKind::None);
    testutil::TempDir dir;
    testutil::writeFile(dir.file("t.3Ds"), threeds::file({triangle("a")}));
    Component3D mesh;
    ASSERT_TRUE(ovek::openModelFile(dir.file("t.3Ds"), &mesh));
    EXPECT_EQ(mesh.points.size(), 3u);
    // Fitted the way the application opens files: y and z run downwards.
    EXPECT_EQ(mesh.boundMin.x, -1);
    EXPECT_EQ(mesh.boundMax.x, 1);
    EXPECT_FALSE(ovek::openModelFile(dir.file("t.png"), &mesh));
    EXPECT_FALSE(ovek::openModelFile(dir.file("missing.3ds"), &mesh));
    EXPECT_EQ(mesh.points.size(), 3u);
}

// One row of the corpus manifest.
struct Expected {
    size_t verticesUsed = 0;
    size_t faces = 0;
};

std::map<std::string, Expected> readManifest(const std::string& dir)
{
    std::map<std::string, Expected> rows;
    std::ifstream in(dir + "/MANIFEST.tsv");
    std::string line;
    std::getline(in, line);   // header
    while (std::getline(in, line)) {
        std::vector<std::string> cols;
        std::stringstream ss(line);
        for (std::string c; std::getline(ss, c, '\t');)
            cols.push_back(c);
        if (cols.size() > 8)
            rows[cols[0]] = {std::stoul(cols[7]), std::stoul(cols[8])};
    }
    return rows;
}

TEST(Load3DS, EveryCorpusFileReadsWithTheManifestsCounts)
{
    SKIP_WITHOUT_CORPUS(dir, "3ds");
    const auto manifest = readManifest(dir);
    ASSERT_GT(manifest.size(), 20u);
    for (const auto& [name, expected] : manifest) {
        Component3D mesh;
        const ovek::FileResult r = mesh.load((dir + "/" + name).c_str(), &kMin, &kMax);
        if (name == "empty.3ds" || name == "wrong.3ds") {
            EXPECT_FALSE(r) << name;
            EXPECT_FALSE(r.error.empty()) << name;
            continue;
        }
        ASSERT_TRUE(r) << name << ": " << r.error;
        EXPECT_TRUE(r.warning.empty()) << name << ": " << r.warning;
        EXPECT_EQ(mesh.faces.size(), expected.faces) << name;
        EXPECT_EQ(mesh.points.size(), expected.verticesUsed) << name;
        for (const auto& p : mesh.points) {
            ASSERT_TRUE(p->x >= -1 - 1e-9 && p->x <= 1 + 1e-9) << name;
            ASSERT_TRUE(p->z >= -1 - 1e-9 && p->z <= 1 + 1e-9) << name;
        }
    }
}

}  // namespace
