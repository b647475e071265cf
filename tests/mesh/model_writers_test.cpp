#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>

#include "mesh/model_open.h"
#include "mesh/model_writers.h"
#include "tests/test_util.h"

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

// Corner positions face by face: what a stereogram is made of.
std::vector<std::array<double, 9>> facePositions(const Component3D& mesh)
{
    std::vector<std::array<double, 9>> out;
    for (const auto& f : mesh.faces)
        out.push_back({f->p1->x, f->p1->y, f->p1->z, f->p2->x, f->p2->y, f->p2->z, f->p3->x,
                       f->p3->y, f->p3->z});
    return out;
}

size_t distinctPositions(const Component3D& mesh)
{
    std::set<std::array<double, 3>> s;
    for (const auto& p : mesh.points)
        s.insert({p->x, p->y, p->z});
    return s.size();
}

TEST(ModelWriters, EveryFormatReadsBackAsTheSameFacesInTheSameOrder)
{
    Component3D demo;
    ASSERT_TRUE(ovek::openModelFile(kDemo + "demo.3ds", &demo));
    const auto expected = facePositions(demo);
    testutil::TempDir dir;
    // OBJ keeps every double, STL and PLY store floats; the library reads
    // all three as floats.
    const std::pair<const char*, double> formats[] = {{"m.obj", 1e-6}, {"m.STL", 1e-6},
                                                      {"m.ply", 1e-6}};
    for (const auto& [name, tolerance] : formats) {
        ASSERT_TRUE(ovek::saveModelFile(dir.file(name), demo)) << name;
        Component3D back;
        const ovek::FileResult r = ovek::openModelFile(dir.file(name), &back);
        ASSERT_TRUE(r) << name << ": " << r.error;
        EXPECT_EQ(back.points.size(), distinctPositions(demo)) << name;
        const auto got = facePositions(back);
        ASSERT_EQ(got.size(), expected.size()) << name;
        double worst = 0;
        for (size_t f = 0; f < got.size(); ++f)
            for (int k = 0; k < 9; ++k)
                worst = std::max(worst, std::fabs(got[f][k] - expected[f][k]));
        EXPECT_LT(worst, tolerance) << name;
    }
    // Binary STL: header, count, 50 bytes a face.
    EXPECT_EQ(testutil::readFile(dir.file("m.STL")).size(), 84 + 50 * demo.faces.size());
}

TEST(ModelWriters, AnyOtherEndingIsTheNativeFileAndAFailedWriteKeepsTheOldFile)
{
    Component3D demo;
    ASSERT_TRUE(ovek::openModelFile(kDemo + "demo.3ds", &demo));
    testutil::TempDir dir;
    ASSERT_TRUE(ovek::saveModelFile(dir.file("m.mod"), demo));
    Component3D back;
    ASSERT_TRUE(ovek::openModelFile(dir.file("m.mod.om"), &back).ok == false);
    std::filesystem::rename(dir.file("m.mod"), dir.file("m.om"));
    ASSERT_TRUE(ovek::openModelFile(dir.file("m.om"), &back));
    EXPECT_EQ(facePositions(back), facePositions(demo));

    // A face over a point the mesh does not hold cannot be written.
    testutil::writeFile(dir.file("keep.obj"), "kept");
    Point3D stray(0, 0, 0);
    demo.faces.push_back(std::make_unique<Triangle3D>(&stray, &stray, &stray));
    EXPECT_FALSE(ovek::saveModelFile(dir.file("keep.obj"), demo));
    EXPECT_EQ(testutil::readFile(dir.file("keep.obj")), "kept");
    demo.faces.pop_back();
}

}  // namespace
