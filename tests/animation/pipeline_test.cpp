#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "animation/animation_pipeline.h"
#include "animation/pattern_motion.h"
#include "image/image.h"
#include "mesh/model_open.h"

namespace {

using namespace ovek;

// Keeps every frame's bytes, and checks that writing comes in order on one thread.
class KeepFrames : public FrameWriter {
public:
    struct Kept : PreparedFrame {
        std::vector<uint8_t> pixels;
        int index = -1;
    };
    std::vector<std::vector<uint8_t>> frames;
    std::thread::id writer;
    int failAt = -1;
    bool finished = false;

    std::unique_ptr<PreparedFrame> prepare(const Image& frame, int index) override
    {
        auto k = std::make_unique<Kept>();
        k->pixels = frame.pixels;
        k->index = index;
        return k;
    }
    FileResult write(PreparedFrame& frame, int index) override
    {
        auto& k = static_cast<Kept&>(frame);
        EXPECT_EQ(k.index, index);
        EXPECT_EQ(int(frames.size()), index) << "frames are written in order";
        EXPECT_EQ(std::this_thread::get_id(), writer);
        if (index == failAt)
            return FileResult::failure("disk full");
        frames.push_back(std::move(k.pixels));
        return FileResult::success();
    }
    FileResult finish() override
    {
        finished = true;
        return FileResult::success();
    }
};

// A source whose frames are flat, except frame `bad`, which cannot be read.
class FlatSource : public FrameSource {
public:
    int frames = 10;
    int bad = -1;
    int frameCount() const override { return frames; }
    void frameSize(int& w, int& h) const override { w = 120, h = 90; }
    FileResult depthOf(int frame, FrameDepth&, ProductionInput& in) const override
    {
        if (frame == bad)
            return FileResult::failure("the file is cut short");
        in.modelType = MODEL_TYPE_3D;
        in.mesh = nullptr;
        in.meshWidth = 120;
        in.meshHeight = 90;
        return FileResult::success();
    }
    std::string inputOf(int frame) const override { return "frame " + std::to_string(frame); }
};

std::shared_ptr<const Image> demoPattern()
{
    auto p = std::make_shared<Image>(nullptr, 1, 1);
    EXPECT_TRUE(p->loadImage(std::string(PEXOLEN_SOURCE_DIR) + "/demo/pattern.bmp"));
    return p;
}

TEST(AnimationPipeline, TurnFramesEqualSingleProductionsWhateverTheThreads)
{
    Component3D model;
    ASSERT_TRUE(openModelFile(std::string(PEXOLEN_SOURCE_DIR) + "/demo/demo.3ds", &model));
    const TurnSource source(model, "demo.3ds", TurnAxis::Y, 90, 5, 200, 130);
    const std::shared_ptr<const Image> pattern = demoPattern();
    std::vector<std::vector<uint8_t>> byThreads[2];
    for (int t : {1, 3}) {
        KeepFrames keep;
        keep.writer = std::this_thread::get_id();
        AnimationRun run;
        run.source = &source;
        run.patterns = patternProvider(PatternMotion::Fixed, pattern);
        run.threads = t;
        std::vector<int> told;
        run.onFrame = [&](int done, int total) {
            told.push_back(done);
            EXPECT_EQ(total, 5);
        };
        ASSERT_TRUE(runAnimation(run, keep));
        EXPECT_TRUE(keep.finished);
        EXPECT_EQ(told, (std::vector<int>{1, 2, 3, 4, 5}));
        byThreads[t == 1 ? 0 : 1] = keep.frames;
    }
    ASSERT_EQ(byThreads[0].size(), 5u);
    EXPECT_EQ(byThreads[0], byThreads[1]);
    for (int k = 0; k < 5; ++k) {
        Component3D turned;
        turnedCopy(model, {{TurnAxis::Y, 90.0 * k / 5}}, turned);
        ProductionInput in;
        in.mesh = &turned;
        in.meshWidth = 200;
        in.meshHeight = 130;
        in.pattern = pattern.get();
        const std::unique_ptr<Image> single = produceStereogram(in);
        EXPECT_EQ(single->pixels, byThreads[0][size_t(k)]) << "frame " << k;
    }
    EXPECT_NE(byThreads[0][0], byThreads[0][4]) << "the model turns";
}

TEST(AnimationPipeline, StopsAtTheFirstFailingFrameInOrderWithItsName)
{
    FlatSource source;
    source.bad = 6;
    KeepFrames keep;
    keep.writer = std::this_thread::get_id();
    AnimationRun run;
    run.source = &source;
    run.threads = 4;
    const AnimationOutcome outcome = runAnimation(run, keep);
    EXPECT_EQ(outcome.kind, AnimationOutcome::BadInput);
    EXPECT_EQ(outcome.input, "frame 6");
    EXPECT_EQ(outcome.reason, "the file is cut short");
    EXPECT_EQ(keep.frames.size(), 6u) << "the frames before it were written";
    EXPECT_FALSE(keep.finished);

    KeepFrames refusing;
    refusing.writer = std::this_thread::get_id();
    refusing.failAt = 2;
    source.bad = -1;
    const AnimationOutcome written = runAnimation(run, refusing);
    EXPECT_EQ(written.kind, AnimationOutcome::BadOutput);
    EXPECT_EQ(written.reason, "disk full");
}

// Pixels of the top and bottom 60 rows equal in two frames, of all there: a
// model fitted to the width of a tall frame never reaches them. (Within its
// rows, a change of the shape moves the pattern on both sides of it.)
double marginsAlike(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int w, int h)
{
    const int stride = Image::strideFor(w);
    int same = 0, all = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (y >= 60 && y < h - 60)
                continue;
            const size_t at = size_t(y) * size_t(stride) + 3 * size_t(x);
            same += std::equal(&a[at], &a[at] + 3, &b[at]);
            ++all;
        }
    return double(same) / all;
}

TEST(AnimationPipeline, FixedPatternsStayFreshDotsChangeDriftMoves)
{
    Component3D model;
    ASSERT_TRUE(openModelFile(std::string(PEXOLEN_SOURCE_DIR) + "/demo/demo.3ds", &model));
    const TurnSource source(model, "demo.3ds", TurnAxis::Y, 60, 3, 320, 600);
    auto framesWith = [&](PatternProvider patterns, StereogramSettings settings = {}) {
        KeepFrames keep;
        keep.writer = std::this_thread::get_id();
        AnimationRun run;
        run.source = &source;
        run.settings = settings;
        run.patterns = std::move(patterns);
        EXPECT_TRUE(runAnimation(run, keep));
        return keep.frames;
    };
    const std::shared_ptr<const Image> pattern = demoPattern();
    const auto fixed = framesWith(patternProvider(PatternMotion::Fixed, pattern));
    const auto drift = framesWith(patternProvider(PatternMotion::Drift, pattern));
    StereogramSettings seven;
    seven.seed = 7;
    const auto fresh = framesWith(patternProvider(PatternMotion::Fresh, nullptr), seven);
    // Outside the shape a fixed pattern keeps its pixels; fresh dots agree by chance only.
    EXPECT_EQ(marginsAlike(fixed[0], fixed[2], 320, 600), 1.0);
    EXPECT_NE(fixed[0], fixed[2]);
    EXPECT_LT(marginsAlike(fresh[0], fresh[2], 320, 600), 0.6);
    EXPECT_LT(marginsAlike(drift[0], drift[2], 320, 600), 0.5);
    EXPECT_EQ(drift[0], fixed[0]) << "drift starts where the fixed pattern is";
    // The same seed gives the same dots.
    EXPECT_EQ(fresh, framesWith(patternProvider(PatternMotion::Fresh, nullptr), seven));

    // Generated dots drift the same way, from the tile the production makes.
    StereogramSettings grey;
    grey.pattern = PatternSource::GreyDots;
    const auto fixedDots = framesWith(patternProvider(PatternMotion::Fixed, pattern), grey);
    const auto driftDots = framesWith(patternProvider(PatternMotion::Drift, pattern), grey);
    EXPECT_EQ(driftDots[0], fixedDots[0]);
    EXPECT_EQ(marginsAlike(fixedDots[0], fixedDots[2], 320, 600), 1.0);
    EXPECT_LT(marginsAlike(driftDots[0], driftDots[2], 320, 600), 0.5);
}

TEST(PatternMotion, ShiftedPatternWrapsRoundBothWays)
{
    Image p(nullptr, 3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            p.setColor(x, y, x, y, 0);
    const auto moved = shiftedPattern(p, 4, -3);   // one right, one down (mod 3 and 2)
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(moved->getColor(x, y), p.getColor((x + 2) % 3, (y + 1) % 2)) << x << "," << y;
}

}  // namespace
