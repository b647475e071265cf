#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "engine/reference/diff_viewer_model.h"
#include "engine/reference/image_object_model.h"
#include "engine/triangle_model.h"
#include "engine/reference/y_changed_object_model.h"
#include "tests/engine/engine_test_util.h"

using enginetest::field;

namespace {

class DiffViewerTest : public enginetest::SeededViewerTest<DiffViewerModel> {
protected:
    void produceAll(ObjectModel* const* layers, int count, int start, int end)
    {
        for (int i = 0; i < v.height; ++i)
            v.produce(start, end, i - (v.height >> 1), layers, count);
    }
};

TEST_F(DiffViewerTest, FlatBaseChangesOnlyTheColumnsItsSpanReaches)
{
    seed(800, 4, 1000);
    ObjectModel flat;
    ObjectModel* layers[] = {&flat};
    produceAll(layers, 1, -900, 900);
    // Covered: the projections 0.3256 x + 67.44 of x = -900 .. 899.
    for (int c = 0; c < 800; ++c) {
        const bool covered = c >= 175 && c <= 760;
        EXPECT_EQ(v.depth[size_t(c)] >= 0, covered) << c;
        if (!covered) {
            EXPECT_TRUE(columnKeptSeed(c)) << c;
        }
    }
    // Each covered column copies from 200 * 580 / 860 = 134.88 columns to its left.
    const double period = 200.0 * 580 / 860;
    for (int c = 175; c <= 760; ++c)
        ASSERT_NEAR(v.getR(c, 0), enginetest::redAt(v.planeR, v.height, c - period, 0), 1) << c;
    EXPECT_FALSE(columnKeptSeed(500));
}

TEST_F(DiffViewerTest, OnlyTheFirstLayerIsSampled)
{
    seed(300, 6, 1000);
    auto bump = field([](double x, double) { return std::fabs(x) < 40 ? 120 : 10; });
    BackLayModel back;
    ObjectModel* one[] = {bump.get()};
    ObjectModel* two[] = {bump.get(), &back};
    produceAll(one, 1, -340, 340);
    const std::vector<int> single = v.planeR;
    seed(300, 6, 1000);
    produceAll(two, 2, -340, 340);
    EXPECT_EQ(v.planeR, single);
    EXPECT_NE(v.planeR, seedR);
}

TEST_F(DiffViewerTest, ASegmentReachingOutsideIsDroppedNotClipped)
{
    // Between x = 0 (height 400) and x = 1 (height 0) the segment projects onto
    // 39.7 .. 67.4.
    auto cliff = field([](double x, double) { return x < 0.5 ? 400 : 0; });
    ObjectModel* layers[] = {cliff.get()};
    seed(200, 2, 1000);
    v.produce(0, 2, 0, layers, 1);
    EXPECT_GT(v.depth[100 + 50], 0);
    seed(100, 2, 1000);  // half 50: the segment's right end lies outside
    v.produce(0, 2, 0, layers, 1);
    for (double d : v.depth)
        EXPECT_EQ(d, -1);
    EXPECT_EQ(v.planeR, seedR);
}

TEST_F(DiffViewerTest, TheFirstColumnIsNeverWritten)
{
    seed(300, 4, 1000);
    auto wavy = field([](double x, double y) { return 100 + 90 * std::sin(x / 17 + y / 5); });
    ObjectModel* layers[] = {wavy.get()};
    produceAll(layers, 1, -3000, 3000);
    EXPECT_TRUE(columnKeptSeed(0));
    EXPECT_GT(v.depth[1], 0);
    EXPECT_TRUE(columnKeptSeed(299));
}

TEST_F(DiffViewerTest, MissingLayersAndWildHeightsAreHarmless)
{
    seed(120, 4, 1000);
    produceAll(nullptr, 1, -200, 200);
    ObjectModel* none[] = {nullptr};
    produceAll(none, 1, -200, 200);
    BackLayModel back;
    ObjectModel* layers[] = {&back};
    produceAll(layers, 0, -200, 200);
    EXPECT_EQ(v.planeR, seedR);
    const double inf = std::numeric_limits<double>::infinity();
    auto wild = field([inf](double x, double) {
        const double values[] = {860, 1e300, -1e300, NAN, inf, -inf, 5};
        return values[size_t(std::fabs(x)) % 7];
    });
    ObjectModel* bad[] = {wild.get()};
    produceAll(bad, 1, -2147483647 - 1, -2147483647 + 60);
    produceAll(bad, 1, -300, 300);
    EXPECT_TRUE(columnKeptSeed(0));
}

TEST(YChangedObjectModel, PictureRowsMoveOutwardsWithHeight)
{
    ViewerModel viewer;
    ObjectModel flat;
    YChangedObjectModel m(viewer, &flat, 1, 8, 8);
    auto at = [](double z) { return enginetest::field([z](double, double) { return z; }); };
    EXPECT_NEAR(m.getImgY(0, 100, at(0).get()), 32.56, 0.005);
    EXPECT_NEAR(m.getImgY(0, 100, at(255).get()), 46.28, 0.005);
    EXPECT_EQ(m.getImgY(0, 0, at(255).get()), 0.0);
    EXPECT_EQ(m.getImgY(0, 0, at(0).get()), 0.0);
    EXPECT_NEAR(m.getImgY(0, -100, at(0).get()), -32.56, 0.005);
}

TEST(YChangedObjectModel, VerticalIntersectionStaysBetweenTheEnds)
{
    ViewerModel viewer;
    ObjectModel flat;
    YChangedObjectModel m(viewer, &flat, 1, 2, 2);
    EXPECT_NEAR(m.getObjectRealDeep(-300, 50, 300, 50, 10), 50.0, 1e-9);
    // Parallel (a segment along the sight line through the middle): the larger end.
    EXPECT_EQ(m.getObjectRealDeep(0, 10, 0, 40, 0), 40.0);
    std::mt19937 rng(23);
    std::uniform_real_distribution<double> pos(-400, 400), z(-20, 500);
    for (int i = 0; i < 20000; ++i) {
        const double y1 = pos(rng), z1 = z(rng), z2 = (i % 6 == 0) ? z1 : z(rng);
        const double y2 = (i % 5 == 0) ? y1 : pos(rng);
        const double t = m.getObjectRealDeep(y1, z1, y2, z2, pos(rng));
        ASSERT_GE(t, std::min(z1, z2));
        ASSERT_LE(t, std::max(z1, z2));
    }
}

TEST(YChangedObjectModel, TableHoldsTheSurfaceSeenFromTheEyeHeight)
{
    ViewerModel viewer;
    ObjectModel flat;
    YChangedObjectModel zero(viewer, &flat, 1, 40, 30);
    for (double t : zero.table)
        ASSERT_EQ(t, 0.0);
    EXPECT_EQ(zero.table.size(), 1200u);

    // A plateau of height 100 over rows -30 .. 29 is seen shrunk towards the
    // middle row by 280 / 760: table rows -12 .. 10.
    auto plateau = field([](double, double) { return 100; });
    YChangedObjectModel m(viewer, plateau.get(), 1, 5, 60);
    for (int row = 0; row < 60; ++row) {
        const bool seen = row >= 30 - 12 && row <= 30 + 10;
        EXPECT_EQ(m.table[size_t(2) * 60 + row], seen ? 100.0 : 0.0) << row;
        EXPECT_EQ(m.height(-0.5, row - 30), seen ? 100.0 : 0.0) << row;
    }
    // An odd number of columns leaves the last one at 0.
    EXPECT_EQ(m.table[size_t(4) * 60 + 30], 0.0);
    EXPECT_EQ(m.height(2, 0), 0.0);
    EXPECT_EQ(m.height(-3, 0), 0.0);
    EXPECT_EQ(m.height(1e300, NAN), 0.0);
}

TEST(YChangedObjectModel, ColumnFillIgnoresColumnsOutsideTheTable)
{
    ViewerModel viewer;
    auto plateau = field([](double, double) { return 100; });
    YChangedObjectModel m(viewer, nullptr, 1, 4, 20);
    const std::vector<double> empty = m.table;
    m.initImageY(2, -10, 10, plateau.get(), 1);
    m.initImageY(-3, -10, 10, plateau.get(), 1);
    m.produce(-1e300, 1e300, 1000, plateau.get(), 1, 0, 0);
    EXPECT_EQ(m.table, empty);
    m.produce(-10.7, 10.2, 1, plateau.get(), 1, 0, 0);
    EXPECT_EQ(m.height(1, 0), 100.0);
}

TEST(YChangedObjectModel, PreparedLayersInterpolateTheTableAtAThirdOfTheScale)
{
    ViewerModel viewer;
    auto ramp = field([](double x, double) { return 50 + x; });
    const ObjectModel* layers[] = {ramp.get(), ramp.get()};
    auto prepared = YChangedObjectModel::getModels(viewer, layers, 2, 80, 60);
    ASSERT_EQ(prepared.size(), 2u);
    YChangedObjectModel table(viewer, ramp.get(), 1, 80, 60);
    EXPECT_EQ(prepared[0]->height(0, 0), table.height(0, 0));
    EXPECT_EQ(prepared[1]->height(23, 0), table.height(10, 0));
    const double between = prepared[0]->height(2.3 * 10.5, 0);
    EXPECT_NEAR(between, (table.height(10, 0) + table.height(11, 0)) / 2, 1e-9);
    EXPECT_TRUE(YChangedObjectModel::getModels(viewer, nullptr, 3, 8, 8).empty());
}

TEST(YChangedObjectModel, GetFacesMovesEveryCornerToItsPictureRow)
{
    ViewerModel viewer;
    auto empty = YChangedObjectModel::getFaces(viewer, nullptr);
    EXPECT_EQ(empty->size(), 0);
    FacesModel none;
    EXPECT_EQ(YChangedObjectModel::getFaces(viewer, &none)->size(), 0);

    FacesModel list;
    Point3DModel* a = list.addPoint(Point3DModel(10, 0, 40));
    Point3DModel* b = list.addPoint(Point3DModel(-20, 100, 0));
    Point3DModel* c = list.addPoint(Point3DModel(30, -60, 255));
    list.add(new TriangleModel(a, b, c));
    list.add(new TriangleModel(c, a, b));
    auto moved = YChangedObjectModel::getFaces(viewer, &list);
    ASSERT_EQ(moved->size(), 2);
    const TriangleModel& t = *moved->get(0);
    EXPECT_NE(t.p0, a);  // new corners
    EXPECT_EQ(t.p0->y, 0.0);  // the middle row does not move
    EXPECT_EQ(t.p0->x, 10.0);
    EXPECT_EQ(t.p0->z, 40.0);
    EXPECT_NEAR(t.p1->y, 32.56, 0.005);
    EXPECT_EQ(t.p1->x, -20.0);
    EXPECT_NEAR(t.p2->y, -60 * 280.0 / 605, 1e-9);
    EXPECT_EQ(t.low, t.p2);  // sorted by the new y
    EXPECT_EQ(t.high, t.p1);
    EXPECT_EQ(moved->get(1)->p0->y, t.p2->y);
    EXPECT_EQ(b->y, 100.0);  // the input is unchanged

    Point3DModel p(3, 100, 0);
    YChangedObjectModel::changeY(viewer, p);
    EXPECT_EQ(p.y, 100 - 100 * 580.0 / 860);
    EXPECT_EQ(p.x, 3.0);
}

}  // namespace
