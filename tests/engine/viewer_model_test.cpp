#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/discrete_object_model.h"
#include "engine/viewer_model.h"
#include "tests/engine/engine_test_util.h"

using enginetest::picture;

namespace {

TEST(ViewerModel, DefaultsDescribeTheModelEyes)
{
    ViewerModel v;
    EXPECT_EQ(v.width, 800);
    EXPECT_EQ(v.height, 600);
    EXPECT_EQ(v.getEye_dis(), 100.0);
    EXPECT_EQ(v.getEye_h(), 860.0);
    EXPECT_EQ(v.getImg_h(), 580.0);
    EXPECT_TRUE(v.planeR.empty());
}

TEST(ViewerModel, InitWithoutPatternIsBlack)
{
    ViewerModel v;
    v.init(800, 600, nullptr);
    EXPECT_EQ(v.getR(799, 599), 0);
    for (size_t i = 0; i < v.planeR.size(); i += 997)
        EXPECT_EQ(v.planeR[i] | v.planeG[i] | v.planeB[i], 0);
    // An empty pattern has nothing to tile and counts as none.
    ovek::Image empty(nullptr, 0, 0);
    v.init(10, 4, &empty);
    EXPECT_EQ(v.getG(9, 3), 0);
}

TEST(ViewerModel, SeedingPutsPatternColumnZeroOnTheMiddleColumn)
{
    auto pattern = picture(3, 2, [](int x, int y) { return (x + 1) * 10 + y; });
    ViewerModel v;
    v.init(4, 3, pattern.get());
    // Picture column 0 takes pattern column (2 + 0) mod 3 = 2.
    const int expected[] = {30, 10, 20, 30};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(v.getR(x, 0), expected[x]) << x;
        EXPECT_EQ(v.getR(x, 1), expected[x] + 1) << x;
        EXPECT_EQ(v.getR(x, 2), expected[x]) << x;  // rows tile too
    }
}

TEST(ViewerModel, PlanesKeepTheBytesInMemoryOrder)
{
    auto pattern = picture(1, 1, [](int, int) { return 18 << 16 | 52 << 8 | 86; });
    ViewerModel v;
    v.init(2, 2, pattern.get());
    EXPECT_EQ(v.getR(1, 1), 86);
    EXPECT_EQ(v.getG(1, 1), 52);
    EXPECT_EQ(v.getB(1, 1), 18);
}

TEST(ViewerModel, ProjectionThroughThePicturePlane)
{
    ViewerModel v;
    EXPECT_NEAR(v.getImageX(100, 0, 0, 0.0), 67.44186046511628, 1e-12);
    EXPECT_EQ(v.getImageX(100, 0, 0, 0.0), 100.0 * 580 / 860);
    EXPECT_EQ(v.getImageX(100, 0, 0, 580.0), 0.0);  // on the picture plane
    EXPECT_EQ(v.getImageRight(0, 0, 0.0), v.getImageX(100, 0, 0, 0.0));
    EXPECT_EQ(v.getImageLeft(0, 0, 0.0), -v.getImageRight(0, 0, 0.0));
    auto lifted = enginetest::field([](double, double) { return 580; });
    EXPECT_EQ(v.getImageRight(37, 5, lifted.get()), 37.0);
}

class SetColorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Red byte 10 * column + row, so every cell is known.
        pattern = picture(8, 3, [](int x, int y) { return 10 * x + y; });
        v.init(8, 3, pattern.get());  // half width 4, half height 1
    }
    int r(int column, int row) const { return v.getR(column, row); }
    std::unique_ptr<ovek::Image> pattern;
    ViewerModel v;
};

TEST_F(SetColorTest, InterpolatesBetweenTheTwoSourceColumnsAndTruncates)
{
    // Seeded red of picture column c is 10 * ((4 + c) mod 8) + row.
    EXPECT_EQ(r(2, 0), 60);
    EXPECT_EQ(r(3, 0), 70);
    v.setColor(2.5 - 4, 1 - 4, 0 - 1);
    EXPECT_EQ(r(1, 0), 65);
    v.setColor(2.25 - 4, 1 - 4, 1 - 1);
    EXPECT_EQ(r(1, 1), 63);  // 0.75 * 61 + 0.25 * 71 = 63.5
    v.setColor(5 - 4, 0 - 4, 0 - 1);
    EXPECT_EQ(r(0, 0), 10);  // whole-number source copies exactly
    EXPECT_EQ(v.getG(0, 0), 0);
}

TEST_F(SetColorTest, IgnoresSourcesAndTargetsAtTheEdges)
{
    const std::vector<int> before = v.planeR;
    v.setColor(0.5 - 4, 2 - 4, 0);       // s = 0.5
    v.setColor(7 - 4, 2 - 4, 0);         // s = width - 1
    v.setColor(2 - 4, 7 - 4, 0);         // last column
    v.setColor(2 - 4, 2 - 4, 2 - 1);     // last row
    v.setColor(2 - 4, -1 - 4, 0);        // left of the picture
    v.setColor(2 - 4, 2 - 4, -1 - 1);    // above it
    v.setColor(NAN, 2 - 4, 0);
    v.setColor(1e300, 2 - 4, 0);
    v.setColor(2, 2147483647, 2147483647);
    EXPECT_EQ(v.planeR, before);
    v.setColor(1 - 4, 6 - 4, 0 - 1);  // s = 1 and target width - 2 are allowed
    EXPECT_EQ(r(6, 0), 50);
}

TEST(ViewerModel, SetColorBeforeInitChangesNothing)
{
    ViewerModel v;
    v.setColor(0, 0, 0);
    EXPECT_TRUE(v.planeR.empty());
}

TEST(ViewerModel, SightLineMeetsAHorizontalSegmentAtItsHeight)
{
    ViewerModel v;
    for (double px : {-50.0, 0.0, 3.0, 70.0})
        EXPECT_NEAR(v.getObjectRealH(-200, 50, 200, 50, px), 50.0, 1e-9) << px;
    // A vertical segment under the eye runs along the vertical sight line:
    // the parallel case gives the lower end.
    EXPECT_EQ(v.getObjectRealH(100, 10, 100, 40, 100), 10.0);
    EXPECT_EQ(v.getObjectRealX(100, 10, 100, 40, 100, 100), 100.0);
    // Parallel with equal heights (ends closer than the threshold allows)
    // gives x2; exchanged ends give the other x.
    EXPECT_EQ(v.getObjectRealX(0, 280, 1e-5, 280, 7, 100), 1e-5);
    EXPECT_EQ(v.getObjectRealX(1e-5, 280, 0, 280, 7, 100), 0.0);
    // A sight line that meets the segment's line above both ends gives the higher end.
    EXPECT_EQ(v.getObjectRealH(0, 10, 10, 20, 300), 20.0);
}

TEST(ViewerModel, IntersectionsStayOnTheSegmentForAnyInput)
{
    ViewerModel v;
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> pos(-1000, 1000), z(-50, 500);
    for (int i = 0; i < 20000; ++i) {
        const double x1 = pos(rng), x2 = (i % 7 == 0) ? x1 : pos(rng);
        const double z1 = z(rng), z2 = (i % 5 == 0) ? z1 : z(rng);
        const double px = pos(rng), eyeX = (i % 2) ? 100.0 : -100.0;
        const double x = v.getObjectRealX(x1, z1, x2, z2, px, eyeX);
        ASSERT_GE(x, std::min(x1, x2));
        ASSERT_LE(x, std::max(x1, x2));
        ASSERT_LE(v.getObjectRealH(x1, z1, x2, z2, px), std::max(z1, z2));
    }
}

TEST(ViewerModel, AnExplicitLeftEyeEqualsTheNegatedEyeDistance)
{
    ViewerModel explicitEye, negated;
    negated.setEye_dis(-negated.getEye_dis());
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> pos(-500, 500), z(0, 400);
    for (int i = 0; i < 5000; ++i) {
        const double x1 = pos(rng), z1 = z(rng), x2 = pos(rng), z2 = z(rng), px = pos(rng);
        ASSERT_EQ(explicitEye.getObjectRealH(x1, z1, x2, z2, px, -100),
                  negated.getObjectRealH(x1, z1, x2, z2, px));
        ASSERT_EQ(explicitEye.getImageLeft(x1, 0, z1), negated.getImageRight(x1, 0, z1));
    }
}

// Each product rounded on its own, the way an unfused build computes it.
double unfused(double a, double b, double c, double d)
{
    volatile double ab = a * b;
    volatile double cd = c * d;
    return ab - cd;
}

double sumOfProducts(double a, double b, double c, double d)
{
    volatile double ab = a * b;
    volatile double cd = c * d;
    return ab + cd;
}

TEST(FloatingPoint, ProductsAreRoundedBeforeTheyAreSummed)
{
    // (1 + 2^-30)(1 - 2^-30) = 1 - 2^-60, which rounds to 1; a fused
    // multiply-add keeps the 2^-60 and the difference below is not 0.
    volatile double a = 1 + std::ldexp(1.0, -30), b = 1 - std::ldexp(1.0, -30), c = 1;
    const double plain = a * b - c;
    ASSERT_NE(std::fma(a, b, -c), 0.0) << "the chosen inputs must tell the two apart";
    EXPECT_EQ(plain, 0.0) << "this build contracts floating-point operations";

    // The engine's own products: every one of these must match the unfused
    // evaluation bit for bit.
    ViewerModel v;
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> pos(-400, 400), z(0.5, 300);
    for (int i = 0; i < 20000; ++i) {
        const double x1 = pos(rng), z1 = z(rng), x2 = pos(rng), z2 = z(rng), px = pos(rng);
        const double D = 860.0 - 580.0;
        const double den = unfused(x2 - x1, D, px - 100.0, z1 - z2);
        if (std::fabs(den) <= 0.01)
            continue;
        const double num = unfused(D, unfused(x2, z1, x1, z2), z1 - z2,
                                   unfused(860.0, px, 580.0, 100.0));
        double expected = num / den;
        if (expected > z1 && expected > z2)
            expected = std::max(z1, z2);
        ASSERT_EQ(v.getObjectRealH(x1, z1, x2, z2, px), expected) << i;
    }
    // The bilinear step, a sum of rounded products of rounded sums of products.
    std::uniform_real_distribution<double> frac(0, 1), h(0, 255);
    for (int i = 0; i < 20000; ++i) {
        LatticeSample l;
        l.fx = frac(rng), l.fy = frac(rng);
        l.h00 = h(rng), l.h01 = h(rng), l.h10 = h(rng), l.h11 = h(rng);
        const double top = sumOfProducts(1 - l.fx, l.h00, l.fx, l.h10);
        const double bottom = sumOfProducts(1 - l.fx, l.h01, l.fx, l.h11);
        ASSERT_EQ(bilinear(l), sumOfProducts(top, 1 - l.fy, bottom, l.fy)) << i;
    }
}

}  // namespace
