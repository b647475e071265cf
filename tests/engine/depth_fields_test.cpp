#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "engine/reference/discrete_object_lay_model.h"
#include "engine/discrete_object_model.h"
#include "engine/reference/image_object_model.h"
#include "engine/object_model.h"
#include "engine/reference/size_object_model.h"
#include "tests/engine/engine_test_util.h"

using enginetest::field;
using enginetest::picture;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(DepthFields, BaseIsFlatAndBackdropStandsAtThree)
{
    ObjectModel base;
    BackLayModel back;
    EXPECT_EQ(base.height(5, 5), 0.0);
    EXPECT_EQ(back.height(0, 0), 3.0);
    EXPECT_EQ(back.height(-1e6, 1e6), 3.0);
    EXPECT_EQ(back.dh_dx(1, 1), 0.0);
    EXPECT_EQ(back.dh_dy(1, 1), 0.0);
}

TEST(ImageObjectModel, CentresTheUnflippedPictureOnTheOrigin)
{
    // Pixel (x, y) has blue 10 * (y * 4 + x) + 3, so every pixel differs.
    auto pic = picture(4, 2, [](int x, int y) { return 3 * (10 * (y * 4 + x) + 3); });
    ImageObjectModel m(pic.get());
    EXPECT_EQ(m.centerX, 2);
    EXPECT_EQ(m.centerY, 1);
    EXPECT_EQ(m.getWidth(), 4);
    EXPECT_EQ(m.getHeight(), 2);
    EXPECT_EQ(m.height(-2, -1), 3.0);       // picture pixel (0, 0), top-left
    EXPECT_EQ(m.height(1, 0), 10 * 7 + 3);  // pixel (3, 1)
    EXPECT_EQ(m.height(2, 0), 0.0);         // column 4 is outside
    EXPECT_EQ(m.height(-3, 0), 0.0);
    EXPECT_EQ(m.height(0, 1), 0.0);         // row 2 is outside
    EXPECT_EQ(m.height(-0.5, 0), m.height(0, 0));  // truncation toward zero
    EXPECT_EQ(m.height(-2.9, -1.9), 3.0);
}

TEST(ImageObjectModel, HeightIsTheIntegerMeanOfTheThreeBytes)
{
    auto pic = picture(3, 1, [](int x, int) {
        const int colours[] = {0xFF0000, 0xFFFFFE, 0x010101};
        return colours[x];
    });
    ImageObjectModel m(pic.get());
    EXPECT_EQ(m.height(-1, 0), 85.0);   // pure red
    EXPECT_EQ(m.height(0, 0), 254.0);   // (255, 255, 254): 764 / 3
    EXPECT_EQ(m.height(1, 0), 1.0);
}

TEST(ImageObjectModel, NullPictureGivesAFlatFieldUntilAPictureIsSet)
{
    ImageObjectModel m(nullptr);
    EXPECT_EQ(m.height(0, 0), 0.0);
    EXPECT_EQ(m.height(-1, -1), 0.0);
    auto pic = picture(2, 2, [](int, int) { return 0x303030; });
    m.setImage(pic.get());
    EXPECT_EQ(m.height(0, 0), 48.0);
    EXPECT_EQ(m.height(-1, -1), 48.0);
    m.setImage(nullptr);
    EXPECT_EQ(m.height(0, 0), 0.0);
}

TEST(ImageObjectModel, FarAndNonFiniteCoordinatesLieOutside)
{
    auto pic = picture(4, 4, [](int, int) { return 0x646464; });
    ImageObjectModel m(pic.get());
    for (double v : {1e300, -1e300, kInf, -kInf, kNaN, 3e9, -3e9}) {
        EXPECT_EQ(m.height(v, 0), 0.0) << v;
        EXPECT_EQ(m.height(0, v), 0.0) << v;
    }
}

TEST(DiscreteObjectModel, InterpolatesTheLatticeAndRaisesNegativesToZero)
{
    DiscreteObjectModel m(field([](double x, double y) { return x == 0 ? 0 : x == 1 ? 10 : y - 5; }));
    EXPECT_EQ(m.height(0, 3), 0.0);
    EXPECT_EQ(m.height(1, 3), 10.0);
    EXPECT_EQ(m.height(0.5, 3), 5.0);      // the bilinear midpoint
    EXPECT_EQ(m.height(0.25, 3.5), 2.5);
    EXPECT_EQ(m.height(4, 2), 0.0);        // wrapped value -3 raised to 0
    EXPECT_EQ(m.height(4, 7), 2.0);
    EXPECT_EQ(m.height(-3, 9), 4.0);       // negative coordinates floor, not truncate
    EXPECT_EQ(m.height(-2.5, 9), 4.0);
}

TEST(DiscreteObjectModel, FloorsNegativeCoordinatesAcrossTheCell)
{
    // Values 2 * x + 100 on the lattice: interpolation inside any cell stays linear.
    DiscreteObjectModel m(field([](double x, double) { return 2 * x + 100; }));
    EXPECT_EQ(m.height(-7.25, 0), 85.5);
    EXPECT_EQ(m.height(-0.5, 0), 99.0);
    // Far outside the floor range and non-finite input must not crash.
    EXPECT_TRUE(std::isfinite(m.height(-5e9, 0)) || std::isnan(m.height(-5e9, 0)));
    m.height(kNaN, kInf);
}

TEST(DiscreteObjectLayModel, CutsTheSurfaceNextToAnyLowLatticeValue)
{
    DiscreteObjectLayModel m(field([](double x, double y) { return (x == 3 && y == 3) ? 0.5 : 200; }));
    EXPECT_EQ(m.height(0.5, 0.5), 200.0);
    EXPECT_EQ(m.height(2.5, 2.5), 0.0);   // (3, 3) is a corner of this cell
    EXPECT_EQ(m.height(3.5, 2.5), 0.0);
    EXPECT_EQ(m.height(3, 3), 0.0);
    EXPECT_EQ(m.height(4, 4), 200.0);
}

TEST(DiscreteObjectLayModel, SlopesFollowTheLatticeDifferences)
{
    DiscreteObjectLayModel m(field([](double x, double y) { return 100 + 2 * x - 3 * y; }));
    EXPECT_EQ(m.dh_dx(4.25, 1), 2.0);
    EXPECT_EQ(m.dh_dy(4, 1.5), -3.0);
    // Next to the cut the slope sees the drop to 0.
    DiscreteObjectLayModel edge(field([](double x, double) { return x <= 0 ? 0 : 50; }));
    EXPECT_EQ(edge.dh_dx(1, 0), 25.0);  // (H(2) - H(0)) / 2 with H(0) cut to 0
    ObjectModel plain;
    EXPECT_EQ(plain.dh_dx(1, 1), 0.0);
}

TEST(SizeObjectModel, SamplesTheWrappedFieldAtScaledCoordinates)
{
    auto pic = picture(40, 10, [](int x, int y) { return 0x010101 * ((x * 5 + y * 3) % 256); });
    ImageObjectModel image(pic.get());
    SizeObjectModel scaled(&image, 2.3, 2.3);
    EXPECT_EQ(scaled.height(23, -4.6), image.height(10, -2));
    SizeObjectModel stretched(&image, 2, 0.5);
    EXPECT_EQ(stretched.height(8, 1), image.height(4, 2));
    EXPECT_EQ(scaled.dh_dx(1, 1), 0.0);
}

TEST(DepthFields, InterpolatedHeightsStayWithinTheirLatticeValues)
{
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> pos(-500, 500);
    auto lattice = [](double x, double y) { return std::fmod(std::fabs(x * 7 + y * 13), 97.0); };
    DiscreteObjectModel m(field(lattice));
    for (int i = 0; i < 2000; ++i) {
        const double x = pos(rng), y = pos(rng);
        const double x0 = std::floor(x), y0 = std::floor(y);
        double lo = 1e9, hi = -1e9;
        for (double dx : {0.0, 1.0})
            for (double dy : {0.0, 1.0}) {
                lo = std::min(lo, lattice(x0 + dx, y0 + dy));
                hi = std::max(hi, lattice(x0 + dx, y0 + dy));
            }
        const double h = m.height(x, y);
        EXPECT_GE(h, lo - 1e-9);
        EXPECT_LE(h, hi + 1e-9);
    }
}

}  // namespace
