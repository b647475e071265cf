#include <gtest/gtest.h>

#include <cmath>

#include "mesh/geometry.h"

namespace {

TEST(Geometry, AbsMinKeepsTheSignAndGivesTiesToTheLaterArgument)
{
    EXPECT_EQ(getAbsMin(2, -1, 3), -1);
    EXPECT_EQ(getAbsMin(1, -1, 5), -1);
    EXPECT_EQ(getAbsMin(-1, 1, 5), 1);
    EXPECT_EQ(getAbsMin(1, 2, -1), -1);
    EXPECT_EQ(getAbsMin(0.5, -1, 2), 0.5);
    EXPECT_EQ(getAbsMin(3, 3, -3), -3);
}

TEST(Geometry, TriangleSizeIsTwiceTheAreaWhateverTheOrder)
{
    EXPECT_EQ(getTriangleSize2D(0, 0, 1, 0, 0, 1), 1);
    EXPECT_EQ(getTriangleSize2D(0, 0, 0, 1, 1, 0), 1);
    EXPECT_EQ(getTriangleSize2D(0, 0, 4, 0, 0, 3), 12);
    EXPECT_EQ(getTriangleSize2D(0, 0, 1, 1, 2, 2), 0);
}

TEST(Geometry, PointInTriangleCountsEdgesAndRejectsDegenerateTriangles)
{
    Point3D a(0, 0, 5), b(4, 0, -1), c(0, 4, 2);   // z plays no part
    EXPECT_TRUE(isInTriangle(1, 1, &a, &b, &c));
    EXPECT_TRUE(isInTriangle(2, 0, &a, &b, &c));      // on an edge
    EXPECT_TRUE(isInTriangle(2, 2, &a, &b, &c));      // on the slanted edge
    EXPECT_TRUE(isInTriangle(0, 0, &a, &b, &c));      // a corner
    EXPECT_TRUE(isInTriangle(2, -1e-6, &a, &b, &c));  // within rounding of the edge
    EXPECT_FALSE(isInTriangle(2, -0.01, &a, &b, &c)); // outside by more than 0.01 % of the area
    EXPECT_FALSE(isInTriangle(3, 3, &a, &b, &c));
    EXPECT_FALSE(isInTriangle(-1, 1, &a, &b, &c));

    Point3D p(0, 0, 0), q(1, 1, 0), r(2, 2, 0);
    EXPECT_FALSE(isInTriangle(1, 1, &p, &q, &r));
    EXPECT_FALSE(isInTriangle(0, 0, &p, &p, &p));

    Triangle3D t(&a, &b, &c);
    EXPECT_TRUE(t.isPointIn(1, 1));
    Point3D d(4, 4, 0);
    Rectangle3D square(&a, &b, &d, &c);
    EXPECT_TRUE(square.isPointIn(3, 3));   // in the second half only
    EXPECT_TRUE(square.isPointIn(1, 1));
    EXPECT_FALSE(square.isPointIn(5, 1));
}

TEST(Geometry, NormalFollowsTheCornerOrderAndIsZeroForCollinearCorners)
{
    Point3D o(0, 0, 0), x(1, 0, 0), y(0, 1, 0);
    Point3D n(7, 7, 7);
    n.nx = 9;
    Triangle3D t(&o, &x, &y);
    EXPECT_EQ(t.getNormal(&n), &n);
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.y, 0);
    EXPECT_EQ(n.z, -1);
    EXPECT_EQ(n.nx, 9);   // only x, y, z are written

    Triangle3D(&o, &y, &x).getNormal(&n);
    EXPECT_EQ(n.z, 1);

    Point3D big(0, 0, 10);
    Triangle3D(&o, &x, &big).getNormal(&n);
    EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1, 1e-12);

    Triangle3D(&o, &o, &x).getNormal(&n);
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.y, 0);
    EXPECT_EQ(n.z, 0);
}

TEST(Geometry, PointBasics)
{
    Point3D p(1, 2, 3);
    p.selected = 1;
    EXPECT_EQ(p.set(4, 6, 3), &p);
    EXPECT_EQ(p.selected, 1);
    Point3D q(1, 2, 3);
    EXPECT_EQ(p.getDistance(&q), 5);
    EXPECT_EQ(q.nx, 0);
    EXPECT_EQ(q.selected, 0);

    EXPECT_EQ(myabs(-2.5), 2.5);
    EXPECT_EQ(myabs(2.5), 2.5);
    EXPECT_TRUE(std::signbit(myabs(-0.0)));
}

}  // namespace
