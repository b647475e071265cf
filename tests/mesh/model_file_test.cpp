#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "mesh/model_file.h"
#include "tests/mesh/mesh_builders.h"
#include "tests/test_util.h"

namespace {

using meshtest::addFace;
using meshtest::addPoints;

std::string le32(int32_t v)
{
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}

// A triangle with the middle point selected, saved to a file of 99 bytes.
void makeTriangle(Component3D& mesh)
{
    addPoints(mesh, {{0.5, -1.25, 3}, {1e-9, 2, -7}, {-4, 0, 0.125}});
    mesh.points[1]->selected = 1;
    addFace(mesh, 2, 0, 1);
}

ovek::FileResult decode(const std::string& bytes, Component3D& mesh)
{
    return ovek::decodeModel(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &mesh);
}

TEST(ModelFile, EmptyMeshIsTwelveBytesAndReadsBackEmpty)
{
    testutil::TempDir dir;
    Component3D mesh;
    ASSERT_TRUE(ovek::saveModel(dir.file("e.om").c_str(), &mesh));
    EXPECT_EQ(testutil::readFile(dir.file("e.om")), std::string(12, '\0'));
    Component3D back;
    addPoints(back, {{1, 1, 1}});
    ASSERT_TRUE(ovek::loadModel(dir.file("e.om").c_str(), &back));
    EXPECT_TRUE(back.points.empty());
    EXPECT_TRUE(back.staticPoints.empty());
}

TEST(ModelFile, TriangleRoundTripKeepsCoordinatesSelectionAndCornerOrder)
{
    testutil::TempDir dir;
    Component3D mesh;
    makeTriangle(mesh);
    const std::string path = dir.file("t.om");
    ASSERT_TRUE(ovek::saveModel(path.c_str(), &mesh));
    const std::string bytes = testutil::readFile(path);
    ASSERT_EQ(bytes.size(), 99u);
    EXPECT_EQ(bytes.substr(0, 8), le32(0) + le32(3));
    EXPECT_EQ(bytes.substr(83), le32(1) + le32(2) + le32(0) + le32(1));

    Component3D back;
    back.resizeX(3);
    back.setPosition(1, 2, 3);
    const int changes = back.changeCount;
    ASSERT_TRUE(ovek::loadModel(path.c_str(), &back));
    ASSERT_EQ(back.points.size(), 3u);
    ASSERT_EQ(back.faces.size(), 1u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back.points[i]->x, mesh.points[i]->x);
        EXPECT_EQ(back.points[i]->y, mesh.points[i]->y);
        EXPECT_EQ(back.points[i]->z, mesh.points[i]->z);
        EXPECT_EQ(back.points[i]->selected, mesh.points[i]->selected);
        EXPECT_EQ(back.staticPoints[i]->z, mesh.points[i]->z);
        EXPECT_NE(back.staticPoints[i].get(), back.points[i].get());
    }
    EXPECT_EQ(back.faces[0]->p1, back.points[2].get());
    EXPECT_EQ(back.faces[0]->p2, back.points[0].get());
    EXPECT_EQ(back.faces[0]->p3, back.points[1].get());
    // The transform and the counters are not the file's business.
    EXPECT_EQ(back.rotation[0][0], 3);
    EXPECT_EQ(back.position.y, 2);
    EXPECT_EQ(back.changeCount, changes);
}

TEST(ModelFile, SharedCornersStaySharedAndTransformedPositionsAreSaved)
{
    testutil::TempDir dir;
    Component3D mesh;
    addPoints(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}});
    addFace(mesh, 0, 1, 2);
    addFace(mesh, 1, 3, 2);
    mesh.setPosition(0, 0, 2);
    mesh.update();
    const std::string path = dir.file("s.om");
    ASSERT_TRUE(ovek::saveModel(path.c_str(), &mesh));
    Component3D back;
    ASSERT_TRUE(ovek::loadModel(path.c_str(), &back));
    EXPECT_EQ(back.faces[0]->p2, back.faces[1]->p1);
    EXPECT_EQ(back.faces[0]->p3, back.faces[1]->p3);
    EXPECT_EQ(back.points[3]->z, 2);
}

TEST(ModelFile, DamagedFilesAreRefusedAndTheMeshKeepsWhatItHad)
{
    testutil::TempDir dir;
    Component3D source;
    makeTriangle(source);
    ASSERT_TRUE(ovek::saveModel(dir.file("t.om").c_str(), &source));
    const std::string good = testutil::readFile(dir.file("t.om"));

    Component3D mesh;
    addPoints(mesh, {{7, 7, 7}});
    auto expectRefused = [&](const std::string& bytes, const char* why) {
        const ovek::FileResult r = decode(bytes, mesh);
        EXPECT_FALSE(r) << why;
        EXPECT_FALSE(r.error.empty()) << why;
        ASSERT_EQ(mesh.points.size(), 1u) << why;
        EXPECT_EQ(mesh.points[0]->x, 7) << why;
    };
    for (size_t cut = 0; cut < good.size(); ++cut)
        expectRefused(good.substr(0, cut), "cut short");

    std::string bumped = good;
    std::memcpy(&bumped[4], le32(4).data(), 4);
    expectRefused(bumped, "point count past the data");
    std::memcpy(&bumped[4], le32(INT32_MAX).data(), 4);
    expectRefused(bumped, "huge point count");
    std::memcpy(&bumped[4], le32(-1).data(), 4);
    expectRefused(bumped, "negative point count");

    std::string faces = good;
    std::memcpy(&faces[83], le32(INT32_MAX).data(), 4);
    expectRefused(faces, "huge face count");
    std::memcpy(&faces[83], le32(1).data(), 4);
    std::memcpy(&faces[91], le32(3).data(), 4);
    expectRefused(faces, "index equal to the point count");
    std::memcpy(&faces[91], le32(-1).data(), 4);
    expectRefused(faces, "negative index");

    std::string nan = good;
    const double q = std::numeric_limits<double>::quiet_NaN();
    std::memcpy(&nan[8 + 25 + 8], &q, 8);
    expectRefused(nan, "a coordinate that is not a number");

    EXPECT_FALSE(ovek::loadModel(dir.file("absent.om").c_str(), &mesh));
    EXPECT_EQ(mesh.points.size(), 1u);
}

TEST(ModelFile, BytesAfterTheFacesAreIgnoredButNeverCompleteAShortList)
{
    Component3D source;
    makeTriangle(source);
    testutil::TempDir dir;
    ASSERT_TRUE(ovek::saveModel(dir.file("t.om").c_str(), &source));
    const std::string good = testutil::readFile(dir.file("t.om"));
    for (const std::string& tail : {std::string("x"), le32(1) + le32(2), good}) {
        Component3D mesh;
        const ovek::FileResult r = decode(good + tail, mesh);
        ASSERT_TRUE(r) << tail.size() << ": " << r.error;
        ASSERT_EQ(mesh.points.size(), 3u);
        ASSERT_EQ(mesh.faces.size(), 1u);
        EXPECT_EQ(mesh.points[1]->y, 2);
        EXPECT_EQ(mesh.faces[0]->p1, mesh.points[2].get());
    }
    Component3D empty;
    ASSERT_TRUE(decode(std::string(12, '\0') + "x", empty));
    EXPECT_TRUE(empty.points.empty());

    // The neighbours: a face count one too high with part of a face after the
    // last one, or a whole face over a point that is not there.
    Component3D mesh;
    addPoints(mesh, {{7, 7, 7}});
    std::string twoFaces = good;
    std::memcpy(&twoFaces[83], le32(2).data(), 4);
    EXPECT_FALSE(decode(twoFaces + "12345678901", mesh));
    EXPECT_FALSE(decode(twoFaces + le32(0) + le32(1) + le32(3), mesh));
    EXPECT_EQ(mesh.points.size(), 1u);
}

TEST(ModelFile, MeshesTooLargeToReadBackAreNotSaved)
{
    // The largest point count whose file still reads, and one more.
    const uint64_t most = (ovek::kMaxModelBytes - 12) / 25;
    EXPECT_LE(ovek::modelFileBytes(most, 0), ovek::kMaxModelBytes);
    EXPECT_GT(ovek::modelFileBytes(most + 1, 0), ovek::kMaxModelBytes);
    EXPECT_EQ(ovek::modelFileBytes(3, 1), 99u);

    testutil::TempDir dir;
    const std::string path = dir.file("big.om");
    testutil::writeFile(path, "old contents");
    // The size is checked before any point is read, so empty entries stand in
    // for a mesh too large to build here.
    Component3D mesh;
    mesh.points.resize(most + 1);
    const ovek::FileResult r = ovek::saveModel(path.c_str(), &mesh);
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("need 257 MiB, more than the 256 MiB"), std::string::npos) << r.error;
    EXPECT_EQ(testutil::readFile(path), "old contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ModelFile, FailedSaveLeavesTheOldFileAndReportsWhy)
{
    testutil::TempDir dir;
    Component3D mesh;
    makeTriangle(mesh);
    const ovek::FileResult r = ovek::saveModel(dir.file("no/such/folder/m.om").c_str(), &mesh);
    EXPECT_FALSE(r);
    EXPECT_FALSE(r.error.empty());

    // A face over a point that is not in the list cannot be written.
    const std::string path = dir.file("keep.om");
    testutil::writeFile(path, "old contents");
    Point3D stray(0, 0, 0);
    mesh.faces.push_back(std::make_unique<Triangle3D>(mesh.points[0].get(), &stray, mesh.points[1].get()));
    EXPECT_FALSE(ovek::saveModel(path.c_str(), &mesh));
    EXPECT_EQ(testutil::readFile(path), "old contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ModelFile, RootPathIsTheFirstCurrentDirectoryOfAnyLength)
{
    testutil::TempDir dir;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::path deep = dir.path();
    for (int i = 0; i < 12; ++i)
        deep /= std::string(120, char('a' + i));
    std::filesystem::create_directories(deep);
    std::filesystem::current_path(deep);
    const std::string root = ovek::getRootPath();
    std::filesystem::current_path(before);
    EXPECT_EQ(root, deep.string());
    EXPECT_GT(root.size(), 1000u);
    EXPECT_EQ(std::string(ovek::getRootPath()), root);
}

}  // namespace
