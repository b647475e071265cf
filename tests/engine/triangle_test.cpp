#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/triangle_model.h"
#include "engine/reference/triangle_set_model.h"

namespace {

TEST(TriangleModel, InitSortsCornersByY)
{
    Point3DModel a(0, 5, 0), b(1, 1, 0), c(2, 3, 0);
    TriangleModel t(&a, &b, &c);
    EXPECT_EQ(t.p0, &a);
    EXPECT_EQ(t.low, &b);
    EXPECT_EQ(t.mid, &c);
    EXPECT_EQ(t.high, &a);
    // Moving a corner and calling init again re-sorts.
    b.y = 9;
    t.init();
    EXPECT_EQ(t.low, &c);
    EXPECT_EQ(t.mid, &a);
    EXPECT_EQ(t.high, &b);
    // Equal y in order keep their given order.
    Point3DModel d(0, 1, 0), e(0, 1, 0), f(0, 2, 0);
    TriangleModel u(&d, &e, &f);
    EXPECT_EQ(u.low, &d);
    EXPECT_EQ(u.mid, &e);
}

TEST(TriangleModel, ScanLineCrossesTheTwoEdgesOfItsHalf)
{
    Point3DModel a(0, 0, 0), b(10, 10, 10), c(0, 10, 0);
    TriangleModel t(&a, &b, &c);
    ASSERT_EQ(t.mid, &b);
    ASSERT_EQ(t.high, &c);
    double xA = -1, xB = -1, zA = -1, zB = -1;
    EXPECT_FALSE(t.setLine(0, xA, xB, zA, zB));  // the lowest corner's line
    EXPECT_EQ(xA, -1);                           // outputs untouched
    ASSERT_TRUE(t.setLine(5, xA, xB, zA, zB));
    EXPECT_EQ(xA, 5);
    EXPECT_EQ(zA, 5);
    EXPECT_EQ(xB, 0);
    EXPECT_EQ(zB, 0);
    ASSERT_TRUE(t.setLine(10, xA, xB, zA, zB));  // the middle corner's line belongs to case 1
    EXPECT_EQ(xA, 10);
    EXPECT_EQ(xB, 0);
    EXPECT_FALSE(t.setLine(10.5, xA, xB, zA, zB));
    // Lower half: the middle corner's line of a triangle pointing down.
    Point3DModel p(0, 0, 4), q(8, 0, 4), r(4, 8, 12);
    TriangleModel down(&p, &q, &r);
    ASSERT_TRUE(down.setLine(2, xA, xB, zA, zB));
    EXPECT_EQ(xA, 1);   // edge low-high
    EXPECT_EQ(zA, 6);
    EXPECT_EQ(xB, 7);   // edge mid-high
    EXPECT_EQ(zB, 6);
    EXPECT_FALSE(down.setLine(8, xA, xB, zA, zB));
    Point3DModel f1(0, 3, 0), f2(5, 3, 0), f3(9, 3, 0);
    TriangleModel flat(&f1, &f2, &f3);
    EXPECT_FALSE(flat.setLine(3, xA, xB, zA, zB));
}

TEST(TriangleModel, MiddleInterpolatesOrAveragesCloseEnds)
{
    EXPECT_EQ(TriangleModel::getMiddle(0, 10, 2, 12, 0), 2);
    EXPECT_EQ(TriangleModel::getMiddle(0, 10, 2, 12, 10), 12);
    EXPECT_EQ(TriangleModel::getMiddle(0, 10, 2, 12, 2.5), 4.5);
    EXPECT_EQ(TriangleModel::getMiddle(2, 2.000001, 4, 8, 2), 6);
    EXPECT_EQ(TriangleModel::myabs(-3), 3);
}

TEST(TriangleModel, PlaneHeightThroughTheThreeCorners)
{
    Point3DModel a(0, 0, 5), b(10, 0, 25), c(0, 10, -5);  // z = 5 + 2x - y
    TriangleModel t(&a, &b, &c);
    EXPECT_DOUBLE_EQ(t.getHeight(3, 4), 7);
    EXPECT_DOUBLE_EQ(t.getHeight(-10, 20), -35);
}

TEST(FacesModel, AddsInOrderAndClearsSafely)
{
    FacesModel list;
    list.clear();
    list.add(static_cast<TriangleModel* const*>(nullptr), 0);
    EXPECT_EQ(list.size(), 0);
    Point3DModel* a = list.addPoint(Point3DModel(0, 0, 1));
    Point3DModel* b = list.addPoint(Point3DModel(1, 0, 1));
    Point3DModel* c = list.addPoint(Point3DModel(0, 1, 1));
    auto* first = new TriangleModel(a, b, c);
    auto* second = new TriangleModel(b, c, a);
    auto* third = new TriangleModel(c, a, b);
    TriangleModel* pair[] = {second, third};
    list.add(first);
    list.add(pair, 2);
    list.add(std::vector<TriangleModel*>{new TriangleModel(a, c, b)});
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list.get(0), first);
    EXPECT_EQ(list.get(2), third);
    EXPECT_EQ(a->z, 1);
    list.clear();  // releases triangles and the list's own points (the leak checker watches)
    EXPECT_EQ(list.size(), 0);
    EXPECT_TRUE(list.points.empty());
}

// Flat triangle over grid cells (x, y) with x + y < size, at height z.
struct FlatCorner {
    Point3DModel a, b, c;
    TriangleModel t;
    FlatCorner(double size, double z) : a(0, 0, z), b(size, 0, z), c(0, size, z), t(&a, &b, &c) {}
};

TEST(TriangleModel, ToArrayDrawsItsRowsWidenedByOneColumn)
{
    std::vector<double> grid(20 * 12, 0.0);
    Point3DModel a(4, 2, 7), b(12, 2, 7), c(8, 10, 7);  // rows 2..9, spans narrowing
    TriangleModel t(&a, &b, &c);
    ASSERT_TRUE(t.toArray(grid, 20, 12));
    auto at = [&](int x, int y) { return grid[size_t(y) * 20 + size_t(x)]; };
    EXPECT_EQ(at(8, 1), 0.0);   // above the first row
    EXPECT_EQ(at(3, 2), 7.0);   // span 4..12 widened to 3..12
    EXPECT_EQ(at(12, 2), 7.0);
    EXPECT_EQ(at(2, 2), 0.0);
    EXPECT_EQ(at(13, 2), 0.0);
    EXPECT_EQ(at(8, 9), 7.0);   // row 9: span 7..8 widened to columns 6..8
    EXPECT_EQ(at(6, 9), 7.0);
    EXPECT_EQ(at(9, 9), 0.0);   // the widened right end is exclusive
    EXPECT_EQ(at(8, 10), 0.0);  // the highest corner's row is excluded
}

TEST(TriangleModel, ToArrayRefusesToOverwriteADistantHeight)
{
    std::vector<double> grid(30 * 30, 0.0);
    FlatCorner low(20, 10), far(20, 30), near(20, 15);
    ASSERT_TRUE(low.t.toArray(grid, 30, 30));
    const std::vector<double> drawn = grid;
    EXPECT_FALSE(far.t.toArray(grid, 30, 30));
    EXPECT_EQ(grid, drawn);  // nothing drawn on refusal
    EXPECT_TRUE(near.t.toArray(grid, 30, 30));
    EXPECT_EQ(grid[5 * 30 + 5], 15.0);
    // Row 0 is never drawn and a grid too small is refused.
    EXPECT_EQ(grid[3], 0.0);
    std::vector<double> tiny(3, 0.0);
    EXPECT_FALSE(near.t.toArray(tiny, 30, 30));
}

TEST(TriangleModel, ToArrayClipsFarAndDegenerateCorners)
{
    std::vector<double> grid(16 * 16, 0.0);
    const double inf = std::numeric_limits<double>::infinity();
    Point3DModel a(-1e300, -1e300, 5), b(1e300, 3, 5), c(4, 1e300, 5);
    TriangleModel huge(&a, &b, &c);
    huge.toArray(grid, 16, 16);
    Point3DModel d(NAN, 2, 5), e(inf, 4, 5), f(-inf, 9, 5);
    TriangleModel broken(&d, &e, &f);
    broken.toArray(grid, 16, 16);
    std::vector<double> none;
    EXPECT_TRUE(huge.toArray(none, 0, 0));
}

TEST(TriangleSetModel, SplitsTrianglesThatDisagreeInHeightIntoLayers)
{
    FlatCorner first(20, 10), clash(20, 30), close(20, 15);
    {
        const TriangleModel* list[] = {&first.t, &clash.t};
        int count = 0;
        auto layers = TriangleSetModel::getTriangleSetModels(list, 2, 30, 30, count);
        ASSERT_EQ(count, 3);
        ASSERT_EQ(layers.size(), 3u);
        // Grid cell (5, 5) is at centred (5 - 15, 5 - 15).
        EXPECT_EQ(layers[0]->height(-10, -10), 10.0);
        EXPECT_EQ(layers[1]->height(-10, -10), 30.0);
        EXPECT_EQ(layers[2]->height(-10, -10), 3.0);  // the backdrop
        EXPECT_EQ(layers[0]->height(14, 14), 0.0);
    }
    {
        const TriangleModel* list[] = {&first.t, &close.t};
        int count = 0;
        auto layers = TriangleSetModel::getTriangleSetModels(list, 2, 30, 30, count);
        ASSERT_EQ(count, 2);
        EXPECT_EQ(layers[0]->height(-10, -10), 15.0);  // the later one overwrote
    }
    int count = -1;
    auto only = TriangleSetModel::getTriangleSetModels(nullptr, 0, 30, 30, count);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(only[0]->height(0, 0), 3.0);
}

TEST(TriangleSetModel, LooksUpItsGridCentred)
{
    TriangleSetModel m(5, 4);
    EXPECT_EQ(m.centerX, 2);
    EXPECT_EQ(m.centerY, 2);
    EXPECT_EQ(m.getWidth(), 5);
    m.grid[1 * 5 + 0] = 9;
    EXPECT_EQ(m.height(-2, -1), 9.0);
    EXPECT_EQ(m.height(-2.7, -1.2), 9.0);
    EXPECT_EQ(m.height(3, 0), 0.0);
    EXPECT_EQ(m.dh_dy(0, 0), 0.0);
    TriangleSetModel none(-3, -3);
    EXPECT_EQ(none.height(0, 0), 0.0);
}

}  // namespace
