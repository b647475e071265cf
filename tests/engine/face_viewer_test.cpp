#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/reference/face_viewer_model.h"
#include "engine/triangle_model.h"
#include "tests/engine/engine_test_util.h"

namespace {

// Two triangles covering the plane far beyond the picture at height z, as the
// production's background.
void addBackground(FacesModel& list, double z)
{
    Point3DModel* p1 = list.addPoint(Point3DModel(-1800, -1600, z));
    Point3DModel* p2 = list.addPoint(Point3DModel(1800, 1600, z));
    Point3DModel* p3 = list.addPoint(Point3DModel(-1800, 1600, z));
    Point3DModel* p4 = list.addPoint(Point3DModel(1800, -1600, z));
    list.add(new TriangleModel(p1, p2, p3));
    list.add(new TriangleModel(p1, p2, p4));
}

void produceAll(FaceViewerModel& v, const FacesModel* faces)
{
    for (int i = 0; i < v.height; ++i)
        v.produce(-v.width, v.width, i - v.height / 2, faces);
}

using FaceViewerTest = enginetest::SeededViewerTest<FaceViewerModel>;
using enginetest::redAt;

TEST_F(FaceViewerTest, EmptyOrMissingListsKeepTheSeed)
{
    seed(120, 8, 61);
    FacesModel empty;
    produceAll(v, &empty);
    produceAll(v, nullptr);
    EXPECT_EQ(v.planeR, seedR);
    EXPECT_EQ(v.sizeLeft, 120);
}

TEST_F(FaceViewerTest, LowSurfacesChangeNoColour)
{
    seed(120, 8, 61);
    FacesModel half, one;
    addBackground(half, 0.5);  // crossings must stand above 0: seen, but depth 0.5 <= 1
    addBackground(one, 1.0);   // depth must exceed 1
    produceAll(v, &half);
    EXPECT_EQ(v.planeR, seedR);
    EXPECT_NEAR(v.depthRight[60], 0.5, 1e-9);
    produceAll(v, &one);
    EXPECT_EQ(v.planeR, seedR);
    FacesModel base;
    addBackground(base, 0.0);  // on the base plane: skipped altogether
    v.produce(0, 0, 0, &base);
    EXPECT_EQ(v.depthRight[60], -1);
}

TEST_F(FaceViewerTest, FlatSurfaceAtFiveRepeatsEveryRowWithItsPeriod)
{
    seed(800, 6, 61);
    FacesModel list;
    addBackground(list, 5);
    produceAll(v, &list);
    const double period = 200.0 * 575 / 855;  // 134.50...
    const int half = 400;
    for (int row = 0; row + 1 < v.height; ++row) {
        // The middle column is written by both halves; the left half's copy stays.
        for (int c = half + 1; c < v.width - 1; ++c) {
            // Sources left of the middle are read before the left half is
            // rewritten; the two touching the middle column read its first,
            // later overwritten value.
            if (int(c - period) == half - 1 || int(c - period) == half)
                continue;
            const bool fromSeed = c - period < half;
            const auto& source = fromSeed ? seedR : v.planeR;
            ASSERT_NEAR(v.getR(c, row), redAt(source, v.height, c - period, row), 1)
                << "column " << c << " row " << row;
        }
        for (int c = 1; c <= half; ++c)
            ASSERT_NEAR(v.getR(c, row), redAt(v.planeR, v.height, c + period, row), 1)
                << "column " << c << " row " << row;
    }
    // The first and last columns and the last row keep their seed colours.
    EXPECT_TRUE(columnKeptSeed(0));
    EXPECT_TRUE(columnKeptSeed(799));
    for (int c = 0; c < v.width; ++c)
        ASSERT_EQ(v.getR(c, 5), seedRed(c, 5)) << "last row, column " << c;
    EXPECT_NE(v.planeR, seedR);
}

TEST_F(FaceViewerTest, PointsAtHalfTheEyeHeightOrAboveAreIgnored)
{
    seed(400, 4, 61);
    // A ridge rising to 600 in the middle: its parts from 430 up are not seen.
    FacesModel list;
    Point3DModel* a = list.addPoint(Point3DModel(-150, -50, 10));
    Point3DModel* b = list.addPoint(Point3DModel(0, -50, 600));
    Point3DModel* c = list.addPoint(Point3DModel(-150, 50, 10));
    Point3DModel* d = list.addPoint(Point3DModel(0, 50, 600));
    list.add(new TriangleModel(a, b, c));
    list.add(new TriangleModel(b, c, d));
    v.produce(0, 0, 0, &list);
    double highest = -1;
    for (int k = 0; k < v.width; ++k)
        highest = std::max({highest, v.depthRight[size_t(k)], v.depthLeft[size_t(k)]});
    EXPECT_LT(highest, 430);
    EXPECT_GT(highest, 400);
}

TEST_F(FaceViewerTest, ArraysFollowANewWidthAndTheEyesStayPut)
{
    seed(200, 4, 61);
    FacesModel list;
    addBackground(list, 20);
    v.setEye_dis(37.5);
    produceAll(v, &list);
    EXPECT_EQ(v.getEye_dis(), 37.5);
    EXPECT_EQ(v.sizeRight, 200);
    seed(90, 3, 61);
    produceAll(v, &list);
    EXPECT_EQ(v.sizeLeft, 90);
    EXPECT_EQ(v.sizeRight, 90);
    EXPECT_EQ(v.depthLeft.size(), 90u);
    EXPECT_EQ(v.sourceRight.size(), 90u);
}

// A strip x0 .. x1 across rows -10 .. 10 at height z, as two triangles.
void addStrip(FacesModel& list, double x0, double x1, double z)
{
    Point3DModel* a = list.addPoint(Point3DModel(x0, -10, z));
    Point3DModel* b = list.addPoint(Point3DModel(x1, -10, z));
    Point3DModel* c = list.addPoint(Point3DModel(x0, 10, z));
    Point3DModel* d = list.addPoint(Point3DModel(x1, 10, z));
    list.add(new TriangleModel(a, b, c));
    list.add(new TriangleModel(b, c, d));
}

// The four per-column arrays of one row.
struct EyeArrays {
    std::vector<double> depthRight, sourceRight, depthLeft, sourceLeft;
};

TEST_F(FaceViewerTest, TiesGoToTheEarlierTriangleForTheRightEyeAndTheLaterForTheLeft)
{
    // Two strips at one height with a narrow gap: the columns at the gap's
    // edges reach both at the same height but see different points (the first
    // column of a span lies just outside it and takes its nearest end).
    seed(200, 2, 61);
    FacesModel first, second, both;
    addStrip(first, -60, 0, 20);
    addStrip(second, 0.3, 60, 20);
    addStrip(both, -60, 0, 20);
    addStrip(both, 0.3, 60, 20);
    v.produce(0, 0, 0, &first);
    const EyeArrays alone1{v.depthRight, v.sourceRight, v.depthLeft, v.sourceLeft};
    v.produce(0, 0, 0, &second);
    const EyeArrays alone2{v.depthRight, v.sourceRight, v.depthLeft, v.sourceLeft};
    v.produce(0, 0, 0, &both);
    int rightTies = 0, leftTies = 0;
    for (size_t i = 0; i < 200; ++i) {
        if (alone1.depthRight[i] > 0 && alone1.depthRight[i] == alone2.depthRight[i] &&
            alone1.sourceRight[i] != alone2.sourceRight[i]) {
            ++rightTies;
            EXPECT_EQ(v.sourceRight[i], alone1.sourceRight[i]) << "column " << i;
        }
        if (alone1.depthLeft[i] > 0 && alone1.depthLeft[i] == alone2.depthLeft[i] &&
            alone1.sourceLeft[i] != alone2.sourceLeft[i]) {
            ++leftTies;
            EXPECT_EQ(v.sourceLeft[i], alone2.sourceLeft[i]) << "column " << i;
        }
    }
    ASSERT_GT(rightTies, 0) << "the strips must tie somewhere for the right eye";
    ASSERT_GT(leftTies, 0) << "the strips must tie somewhere for the left eye";
}

TEST_F(FaceViewerTest, WildTrianglesNeitherCrashNorWriteOutside)
{
    seed(64, 4, 61);
    const double inf = std::numeric_limits<double>::infinity();
    FacesModel list;
    const double corners[][9] = {
        {-1e300, -10, 5, 1e300, -10, 5, 0, 10, 5},       // far beyond int range
        {-50, -10, 860, 50, -10, 860, 0, 10, 860},       // at the eyes: division by 0
        {-50, -10, 1000, 50, -10, 900, 0, 10, 2000},     // above the eyes
        {NAN, -10, 5, 10, -10, 5, 0, 10, NAN},
        {-inf, -10, 5, inf, -10, 50, 0, 10, 5},
        {-5, -10, 1e300, 5, -10, 1e300, 0, 10, 1e300},
    };
    for (const auto& t : corners) {
        list.add(new TriangleModel(list.addPoint(Point3DModel(t[0], t[1], t[2])),
                                   list.addPoint(Point3DModel(t[3], t[4], t[5])),
                                   list.addPoint(Point3DModel(t[6], t[7], t[8]))));
    }
    produceAll(v, &list);
    EXPECT_TRUE(columnKeptSeed(0));
    EXPECT_TRUE(columnKeptSeed(63));
}

TEST(FaceViewerModel, ZeroAndOneColumnPicturesAreHarmless)
{
    FacesModel list;
    addBackground(list, 5);
    for (int w : {0, 1, 2, 3}) {
        FaceViewerModel v;
        v.init(w, 3, nullptr);
        produceAll(v, &list);
        EXPECT_EQ(v.sizeLeft, w);
    }
}

}  // namespace
