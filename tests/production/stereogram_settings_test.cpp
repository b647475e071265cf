// The settings measured on the pictures they make: the repeat of the rows
// over a flat background and over a raised square, the guide dots, the mark,
// generated dots, 16-bit depth and a turned model.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/triangle_model.h"
#include "image/grey_picture.h"
#include "image/image.h"
#include "mesh/turn_model.h"
#include "production/depth_resample.h"
#include "production/production.h"
#include "tests/engine/engine_test_util.h"
#include "tests/mesh/mesh_builders.h"

using ovek::Image;
using ovek::ProductionInput;
using ovek::StereogramSettings;

namespace {

// Colour channel c (0 blue, 1 green, 2 red) of (x, y), between columns linearly.
double channelAt(const Image& img, double x, int y, int c)
{
    const int k = int(std::floor(x));
    const double f = x - k;
    auto at = [&](int column) { return double((img.getColor(column, y) >> (8 * c)) & 255); };
    return f == 0 ? at(k) : (1 - f) * at(k) + f * at(k + 1);
}

// The horizontal repeat of rows [y0, y1) over columns [x0, x1): the shift s
// within [lo, hi] at which each pixel best matches the colour s to its left,
// to 1/64 pixel.
double repeatOf(const Image& img, int x0, int x1, int y0, int y1, double lo, double hi)
{
    auto mismatch = [&](double s) {
        double sum = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                for (int c = 0; c < 3; ++c)
                    sum += std::fabs(channelAt(img, x, y, c) - channelAt(img, x - s, y, c));
        return sum;
    };
    // Quarter pixels first. Every multiple of the repeat matches nearly as
    // well (each copy interpolates), so the shortest shift that matches
    // about as well as the best one is the repeat.
    std::vector<double> shifts, mismatches;
    for (double s = lo; s <= hi; s += 0.25) {
        shifts.push_back(s);
        mismatches.push_back(mismatch(s));
    }
    const double least = *std::min_element(mismatches.begin(), mismatches.end());

    size_t first = 0;
    while (mismatches[first] > 3 * least + 1)
        ++first;
    // The local minimum there, then to 1/64 pixel around it.
    while (first + 1 < shifts.size() && mismatches[first + 1] < mismatches[first])
        ++first;
    double best = shifts[first], bestMismatch = mismatches[first];
    for (double s = shifts[first] - 0.25; s <= shifts[first] + 0.25; s += 1.0 / 64)
        if (const double m = mismatch(s); m < bestMismatch)
            bestMismatch = m, best = s;
    return best;
}

// The repeat the design gives a flat surface at height z with the eyes e apart.
double designRepeat(double e, double z)
{
    return e * (580 - z) / (860 - z);
}

// 800 x 600 depth: 0 around a square of height `square` (columns 200 .. 599, rows 150 .. 449).
ovek::GreyPicture squareDepth(int square)
{
    ovek::GreyPicture g;
    g.width = 800;
    g.height = 600;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            g.values.push_back(x >= 200 && x < 600 && y >= 150 && y < 450 ? uint8_t(square) : 0);
    return g;
}

// Wider than the pictures, so that the seed itself repeats nowhere.
const Image& noisePattern()
{
    static const auto pattern = enginetest::randomPattern(811, 61);
    return *pattern;
}

std::unique_ptr<Image> produceDepth(const ovek::GreyPicture& depth, const StereogramSettings& s,
                                    const Image* pattern = &noisePattern())
{
    ProductionInput in;
    in.modelType = ovek::MODEL_TYPE_IMAGE;
    in.depthGrey = &depth;
    in.pattern = pattern;
    in.settings = s;
    return ovek::produceStereogram(in);
}

struct Repeats {
    double background, square;
};

// Rows around the middle: the background right of the square (columns that
// see the background and are recomputed for eyes 100 to 300 apart), and the square.
Repeats measure(const Image& img)
{
    return {repeatOf(img, 690, 725, 290, 310, 40, 300), repeatOf(img, 440, 510, 295, 305, 40, 300)};
}

TEST(StereogramSettings, RepeatsFollowTheEyeSeparationAndTheDepthScale)
{
    const ovek::GreyPicture depth = squareDepth(200);
    const Repeats design = measure(*produceDepth(depth, {}));
    std::printf("default: background %.2f, square %.2f\n", design.background, design.square);
    EXPECT_NEAR(design.background, designRepeat(200, 0), 0.2);
    EXPECT_NEAR(design.square, designRepeat(200, 200), 0.2);

    for (double separation : {100.0, 300.0}) {
        StereogramSettings s;
        s.eyeSeparation = separation;
        const Repeats r = measure(*produceDepth(depth, s));
        std::printf("eyes %g apart: background %.2f, square %.2f\n", separation, r.background,
                    r.square);
        EXPECT_NEAR(r.background / design.background, separation / 200, 0.005) << separation;
        EXPECT_NEAR(r.square / design.square, separation / 200, 0.005) << separation;
    }
    StereogramSettings flat;
    flat.depthScale = 0;
    const Repeats none = measure(*produceDepth(depth, flat));
    std::printf("depth scale 0: background %.2f, square %.2f\n", none.background, none.square);
    EXPECT_NEAR(none.square, none.background, 0.05);
    EXPECT_NEAR(none.background, design.background, 0.05);

    StereogramSettings half;
    half.depthScale = 0.5;
    const Repeats halved = measure(*produceDepth(depth, half));
    std::printf("depth scale 0.5: background %.2f, square %.2f\n", halved.background,
                halved.square);
    EXPECT_NEAR(halved.square, designRepeat(200, 100), 0.2);
    // The inverted square is the background raised to 200 around a square at 55.
    StereogramSettings invert;
    invert.invert = true;
    const Repeats inverted = measure(*produceDepth(squareDepth(55), invert));
    std::printf("inverted: background %.2f, square %.2f\n", inverted.background, inverted.square);
    EXPECT_NEAR(inverted.square, designRepeat(200, 200), 0.2);

    StereogramSettings fine;
    fine.oversample = 4;
    const Repeats oversampled = measure(*produceDepth(depth, fine));
    std::printf("oversample 4: background %.2f, square %.2f\n", oversampled.background,
                oversampled.square);
    EXPECT_NEAR(oversampled.background, designRepeat(200, 0), 0.2);
    EXPECT_NEAR(oversampled.square, designRepeat(200, 200), 0.2);
}

// A mesh of one square plate standing above the background plane.
void plate(Component3D& mesh)
{
    meshtest::addPoints(mesh, {{-0.6, -0.6, 0.5}, {0.6, -0.6, 0.5}, {0.6, 0.6, 0.5}, {-0.6, 0.6, 0.5}});
    meshtest::addFace(mesh, 0, 1, 2);
    meshtest::addFace(mesh, 0, 2, 3);
}

TEST(StereogramSettings, CrossedEyesGiveTheNearSquareTheLongerRepeat)
{
    const ovek::GreyPicture depth = squareDepth(200);
    Component3D mesh;
    plate(mesh);
    for (bool crossed : {false, true}) {
        StereogramSettings s;
        s.viewing = crossed ? ovek::ViewingMode::CrossEyed : ovek::ViewingMode::Parallel;
        const Repeats fromDepth = measure(*produceDepth(depth, s));
        ProductionInput in;
        in.pattern = &noisePattern();
        in.mesh = &mesh;
        in.meshWidth = 800;
        in.meshHeight = 600;
        in.settings = s;
        const auto fromMesh = ovek::produceStereogram(in);
        const Repeats r = {repeatOf(*fromMesh, 700, 770, 295, 305, 40, 300),
                           repeatOf(*fromMesh, 430, 500, 295, 305, 40, 300)};
        std::printf("%s: depth picture %.2f / %.2f, mesh %.2f / %.2f\n",
                    crossed ? "crossed" : "parallel", fromDepth.background, fromDepth.square,
                    r.background, r.square);
        if (crossed) {
            EXPECT_GT(fromDepth.square, fromDepth.background + 15);
            EXPECT_GT(r.square, r.background + 10);
            // The mirror keeps the range: far and near swap their repeats.
            EXPECT_NEAR(fromDepth.background, designRepeat(200, 255), 0.2);
            EXPECT_NEAR(fromDepth.square, designRepeat(200, 55), 0.2);
        } else {
            EXPECT_LT(fromDepth.square, fromDepth.background - 15);
            EXPECT_LT(r.square, r.background - 10);
        }
    }
}

TEST(StereogramSettings, GuideDotsStandOneBackgroundRepeatApart)
{
    const ovek::GreyPicture depth = squareDepth(200);
    Image grey(nullptr, 50, 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            grey.setColor(x, y, 128, 128, 128);
    for (double separation : {200.0, 330.0})
        for (auto place : {ovek::GuidePlace::Top, ovek::GuidePlace::Bottom}) {
            StereogramSettings s;
            s.eyeSeparation = separation;
            s.guides = place;
            const auto img = produceDepth(depth, s, &grey);
            // The black discs: the mean column of the black pixels each side of the middle.
            double sum[2] = {0, 0}, count[2] = {0, 0};
            int top = img->getHeight(), bottom = -1;
            for (int y = 0; y < img->getHeight(); ++y)
                for (int x = 0; x < img->getWidth(); ++x)
                    if (img->getColor(x, y) == 0) {
                        sum[x >= 400] += x;
                        count[x >= 400] += 1;
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
            ASSERT_GT(count[0], 20);
            ASSERT_GT(count[1], 20);
            EXPECT_NEAR(sum[1] / count[1] - sum[0] / count[0], designRepeat(separation, 0), 1);
            EXPECT_NEAR((sum[1] / count[1] + sum[0] / count[0]) / 2, 400, 1);
            EXPECT_LT(bottom - top, 15);
            EXPECT_TRUE(place == ovek::GuidePlace::Top ? bottom < 40 : top > 560);
        }
}

TEST(StereogramSettings, WithoutTheMarkOnlyPixelsInsideItsBoxChange)
{
    const ovek::GreyPicture depth = squareDepth(200);
    const auto marked = produceDepth(depth, {});
    StereogramSettings s;
    s.mark = false;
    const auto plain = produceDepth(depth, s);
    int changed = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            if (marked->getColor(x, y) != plain->getColor(x, y)) {
                ++changed;
                EXPECT_TRUE(x >= 15 && x <= 175 && y >= 30 && y <= 65) << x << ", " << y;
            }
    EXPECT_GT(changed, 800);
}

TEST(StereogramSettings, GeneratedDotsFollowTheSeedAndTileAtTheBackgroundRepeat)
{
    const ovek::GreyPicture depth = squareDepth(200);
    auto dots = [&](ovek::PatternSource kind, uint32_t seed, double density = 50) {
        StereogramSettings s;
        s.pattern = kind;
        s.seed = seed;
        s.density = density;
        s.mark = false;
        return produceDepth(depth, s, nullptr);
    };
    const auto a = dots(ovek::PatternSource::Dots, 7);
    EXPECT_EQ(a->pixels, dots(ovek::PatternSource::Dots, 7)->pixels);
    EXPECT_NE(a->pixels, dots(ovek::PatternSource::Dots, 8)->pixels);
    // Outside the columns the rows reach (0 .. 174), the tile itself shows:
    // 135 pixels wide, the background repeat rounded.
    int white = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 170; ++x) {
            const int c = a->getColor(x, y);
            ASSERT_TRUE(c == 0 || c == 0xFFFFFF);
            white += c != 0;
            if (x + 135 < 175) {
                ASSERT_EQ(c, a->getColor(x + 135, y)) << x << ", " << y;
            }
        }
    EXPECT_NEAR(white / (600.0 * 170), 0.5, 0.02);
    const auto sparse = dots(ovek::PatternSource::Dots, 7, 10);
    const auto none = dots(ovek::PatternSource::Dots, 7, 0);
    int sparseWhite = 0;
    for (int x = 0; x < 170; ++x) {
        sparseWhite += sparse->getColor(x, 300) != 0;
        EXPECT_EQ(none->getColor(x, 300), 0);
    }
    EXPECT_NEAR(sparseWhite / 170.0, 0.1, 0.06);
    const auto grey = dots(ovek::PatternSource::GreyDots, 7);
    const auto colour = dots(ovek::PatternSource::ColourDots, 7);
    int colourful = 0;
    for (int x = 0; x < 170; ++x) {
        const int g = grey->getColor(x, 300), c = colour->getColor(x, 300);
        EXPECT_EQ(g & 255, (g >> 8) & 255);
        EXPECT_EQ(g & 255, g >> 16);
        colourful += (c & 255) != ((c >> 8) & 255);
    }
    EXPECT_GT(colourful, 150);
}

TEST(StereogramSettings, SixteenBitSamplesOf257TimesVGiveTheBytesOfThe8BitPicture)
{
    ovek::GreyPicture eight = squareDepth(0), sixteen;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            eight.values[size_t(y) * 800 + size_t(x)] = uint8_t((x * 7 + y * 3 + (x * y) % 13) % 256);
    sixteen = eight;
    for (uint8_t v : eight.values)
        sixteen.values16.push_back(uint16_t(v * 257));
    for (bool invert : {false, true}) {
        StereogramSettings s;
        s.invert = invert;
        s.depthScale = invert ? 1.7 : 1;
        EXPECT_EQ(produceDepth(eight, s)->pixels, produceDepth(sixteen, s)->pixels) << invert;
    }
    // The samples between whole 8-bit steps are not thrown away.
    for (uint16_t& v : sixteen.values16)
        v = uint16_t(v + 200);
    EXPECT_NE(produceDepth(eight, {})->pixels, produceDepth(sixteen, {})->pixels);
}

TEST(StereogramSettings, DepthPicturesResampledToTheirOwnSizeKeepTheirHeights)
{
    ovek::GreyPicture depth = squareDepth(180);
    const ovek::GreyPicture same = ovek::resampleDepth(depth, 800, 600);
    for (size_t i = 0; i < depth.values.size(); ++i)
        ASSERT_EQ(same.values16[i], depth.values[i] * 257) << i;
    // Bilinear: a ramp stays a ramp.
    ovek::GreyPicture ramp;
    ramp.width = 2;
    ramp.height = 1;
    ramp.values = {0, 255};
    const ovek::GreyPicture wide = ovek::resampleDepth(ramp, 8, 3);
    EXPECT_EQ(wide.values16[0], 0);
    EXPECT_EQ(wide.values16[7], 65535);
    for (int x = 1; x < 8; ++x) {
        EXPECT_GE(wide.values16[size_t(x)], wide.values16[size_t(x) - 1]);
        EXPECT_EQ(wide.values16[size_t(x) + 8], wide.values16[size_t(x)]);
    }
    EXPECT_NEAR(wide.values16[4] - wide.values16[3], 65535 / 4.0, 1);

    ProductionInput in;
    in.modelType = ovek::MODEL_TYPE_IMAGE;
    in.depthGrey = &depth;
    in.pattern = &noisePattern();
    const auto plain = ovek::produceStereogram(in);
    in.depthWidth = 800;
    in.depthHeight = 600;
    EXPECT_EQ(ovek::produceStereogram(in)->pixels, plain->pixels);
    in.depthWidth = 1000;
    in.depthHeight = 650;
    const auto larger = ovek::produceStereogram(in);
    EXPECT_EQ(larger->getWidth(), 1000);
    EXPECT_EQ(larger->getHeight(), 650);
}

TEST(StereogramSettings, TurningAModelHalfWayEqualsTurningItByHand)
{
    // A lopsided tent whose box is centred on the origin.
    auto tent = [](Component3D& mesh, double sx, double sz) {
        meshtest::addPoints(mesh, {{-1 * sx, -0.5, -1 * sz}, {1 * sx, -0.5, -1 * sz},
                                   {0.3 * sx, 0.5, 1 * sz}, {-1 * sx, 0.5, -0.2 * sz},
                                   {0.7 * sx, 0.1, 0.4 * sz}});
        meshtest::addFace(mesh, 0, 1, 2);
        meshtest::addFace(mesh, 0, 2, 3);
        meshtest::addFace(mesh, 1, 4, 2);
    };
    Component3D original, byHand, turned;
    tent(original, 1, 1);
    tent(byHand, -1, -1);  // 180 degrees about y: x and z negated
    tent(turned, 1, 1);
    ovek::turnModel(turned, 0, 180, 0);
    for (size_t i = 0; i < byHand.points.size(); ++i) {
        EXPECT_EQ(turned.points[i]->x, byHand.points[i]->x);
        EXPECT_EQ(turned.points[i]->z, byHand.points[i]->z);
        EXPECT_EQ(turned.staticPoints[i]->y, byHand.staticPoints[i]->y);
    }
    ProductionInput in;
    in.pattern = &noisePattern();
    in.meshWidth = 500;
    in.meshHeight = 300;
    in.mesh = &byHand;
    const auto expected = ovek::produceStereogram(in);
    in.mesh = &original;
    const auto unturned = ovek::produceStereogram(in);
    in.settings.rotateY = 180;
    EXPECT_EQ(ovek::produceStereogram(in)->pixels, expected->pixels);
    EXPECT_NE(unturned->pixels, expected->pixels);
    // A quarter turn about x twice is a half turn about x: y and z negated.
    Component3D twice, half;
    tent(twice, 1, 1);
    tent(half, 1, 1);
    ovek::turnModel(twice, 90, 0, 0);
    ovek::turnModel(twice, 90, 0, 0);
    ovek::turnModel(half, 180, 0, 0);
    for (size_t i = 0; i < half.points.size(); ++i) {
        EXPECT_EQ(twice.points[i]->y, half.points[i]->y);
        EXPECT_EQ(half.points[i]->z, -original.points[i]->z);
    }
}

TEST(StereogramSettings, SettingsOutsideTheirRangesAreRefused)
{
    const ovek::GreyPicture depth = squareDepth(10);
    ProductionInput in;
    in.modelType = ovek::MODEL_TYPE_IMAGE;
    in.depthGrey = &depth;
    const auto broken = [](auto change) {
        StereogramSettings s;
        change(s);
        return s;
    };
    for (const StereogramSettings& s :
         {broken([](StereogramSettings& s) { s.eyeSeparation = 0; }),
          broken([](StereogramSettings& s) { s.depthScale = 2.5; }),
          broken([](StereogramSettings& s) { s.depthScale = NAN; }),
          broken([](StereogramSettings& s) { s.oversample = 9; }),
          broken([](StereogramSettings& s) { s.density = -1; }),
          broken([](StereogramSettings& s) { s.rotateZ = INFINITY; })}) {
        in.settings = s;
        ovek::FileResult why;
        EXPECT_EQ(ovek::produceStereogram(in, &why), nullptr);
        EXPECT_FALSE(why.error.empty());
    }
}

}  // namespace
