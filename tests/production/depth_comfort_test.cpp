// The depth warning's verdicts over the range of settings a user can choose,
// on the demo depth picture, and at the thresholds themselves.
#include <gtest/gtest.h>

#include <algorithm>

#include "image/image.h"
#include "production/depth_comfort.h"

using namespace ovek;

namespace {

// Deeper never gets more comfortable and then less: with the eyes fixed the
// verdicts run from too weak through comfortable to too strong, in either
// viewing mode: the flat picture too weak, the deepest too strong, and some
// depth between comfortable.
TEST(DepthComfort, VerdictsFollowTheDepthScaleInOrder)
{
    Image depth(nullptr, 1, 1);
    ASSERT_TRUE(depth.loadImage(PEXOLEN_SOURCE_DIR "/demo/depth.bmp"));
    for (ViewingMode mode : {ViewingMode::Parallel, ViewingMode::CrossEyed})
        for (double eyes : {20.0, 60.0, 200.0, 500.0, 1000.0}) {
            SCOPED_TRACE(testing::Message() << "eyes " << eyes << ", crossed "
                                            << (mode == ViewingMode::CrossEyed));
            ProductionInput in;
            in.modelType = MODEL_TYPE_IMAGE;
            in.depthPicture = &depth;
            in.settings.viewing = mode;
            in.settings.eyeSeparation = eyes;
            int rank = 0;   // weak 0, comfortable 1, strong 2
            bool sawComfort = false;
            for (int step = 0; step <= 227; step += 3) {
                in.settings.depthScale = step / 100.0;
                const DepthComfort c = depthComfort(stereogramGeometry(in));
                const int now = c == DepthComfort::TooWeak ? 0 : c == DepthComfort::Comfortable ? 1 : 2;
                EXPECT_GE(now, rank) << "at depth scale " << in.settings.depthScale;
                rank = std::max(rank, now);
                sawComfort = sawComfort || c == DepthComfort::Comfortable;
                if (step == 0) {
                    EXPECT_EQ(c, DepthComfort::TooWeak) << "a flat picture shows nothing";
                }
                if (step == 100 && eyes >= 60) {
                    EXPECT_EQ(c, DepthComfort::Comfortable) << "the default depth";
                }
            }
            EXPECT_EQ(rank, 2) << "the deepest picture is too strong";
            EXPECT_TRUE(sawComfort) << "some depth suits every eye separation";
        }
}

// The thresholds, from either side and with the repeats in either order
// (crossed eyes see the nearest parts with the wider repeat).
TEST(DepthComfort, ThresholdsHoldWhicheverRepeatIsWider)
{
    for (double background : {40.0, 134.5, 600.0})
        for (bool crossed : {false, true}) {
            auto verdict = [&](double nearRatio, long long levels) {
                StereogramGeometry g;
                const double nearest = background * nearRatio;
                g.backgroundRepeat = crossed ? nearest : background;
                g.nearestRepeat = crossed ? background : nearest;
                g.levels = levels;
                return depthComfort(g);
            };
            EXPECT_EQ(verdict(0.59, 100), DepthComfort::TooStrong);
            EXPECT_EQ(verdict(0.3, 100), DepthComfort::TooStrong);
            EXPECT_EQ(verdict(0.61, 100), DepthComfort::Comfortable);
            EXPECT_EQ(verdict(0.85, 100), DepthComfort::Comfortable);
            EXPECT_EQ(verdict(0.97, 100), DepthComfort::Comfortable);
            EXPECT_EQ(verdict(0.99, 100), DepthComfort::TooWeak) << "1% apart";
            EXPECT_EQ(verdict(1.0, 1), DepthComfort::TooWeak);
            EXPECT_EQ(verdict(0.85, 3), DepthComfort::TooWeak) << "three steps";
            EXPECT_EQ(verdict(0.85, 4), DepthComfort::Comfortable);
        }
    EXPECT_EQ(depthComfort(StereogramGeometry{}), DepthComfort::TooWeak) << "no geometry";
}

}  // namespace
