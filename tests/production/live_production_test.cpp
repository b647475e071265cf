#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "image/image.h"
#include "mesh/component3d.h"
#include "mesh/model_open.h"
#include "production/live_production.h"
#include "image/row_sink.h"

using ovek::Image;
using ovek::LiveProduction;
using ovek::ProductionInput;

namespace {

std::unique_ptr<Image> noise(int w, int h, uint32_t s)
{
    auto img = std::make_unique<Image>(nullptr, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            s = s * 1103515245u + 12345u;
            img->setColor(x, y, int(s >> 8), int(s >> 16), int(s >> 24));
        }
    return img;
}

// A depth picture of soft bumps, so that every row shifts differently.
std::unique_ptr<Image> bumps(int w, int h)
{
    auto img = std::make_unique<Image>(nullptr, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int v = ((x / 7) * (y / 5)) % 256;
            img->setColor(x, y, v, v, v);
        }
    return img;
}

struct DemoMesh {
    Component3D mesh;
    DemoMesh()
    {
        EXPECT_TRUE(ovek::openModelFile(std::string(PEXOLEN_SOURCE_DIR) + "/demo/demo.3ds", &mesh));
    }
};

::testing::AssertionResult samePicture(const Image* a, const Image* b)
{
    if (!a || !b)
        return ::testing::AssertionFailure() << "a picture is missing";
    if (a->getWidth() != b->getWidth() || a->getHeight() != b->getHeight())
        return ::testing::AssertionFailure() << "sizes differ";
    if (a->pixels != b->pixels)
        return ::testing::AssertionFailure() << "pixels differ";
    return ::testing::AssertionSuccess();
}

ProductionInput meshInput(const Component3D& mesh, const Image& pattern)
{
    ProductionInput in;
    in.mesh = &mesh;
    in.pattern = &pattern;
    return in;
}

ProductionInput depthInput(const Image& depth, const Image& pattern)
{
    ProductionInput in;
    in.modelType = ovek::MODEL_TYPE_IMAGE;
    in.depthPicture = &depth;
    in.pattern = &pattern;
    return in;
}

}  // namespace

TEST(LiveProduction, ResultsEqualTheDirectProductionByteForByte)
{
    DemoMesh demo;
    const auto pattern = noise(120, 90, 7);
    const auto depth = bumps(900, 640);
    ProductionInput turned = meshInput(demo.mesh, *pattern);
    turned.settings.rotateY = 30;
    turned.settings.viewing = ovek::ViewingMode::CrossEyed;
    ProductionInput resized = depthInput(*depth, *pattern);
    resized.depthWidth = 1000;
    resized.depthHeight = 700;
    resized.settings.oversample = 3;
    ProductionInput dots = depthInput(*depth, *pattern);
    dots.settings.pattern = ovek::PatternSource::ColourDots;
    dots.settings.guides = ovek::GuidePlace::Top;

    LiveProduction live(2);
    for (const ProductionInput& in : {meshInput(demo.mesh, *pattern), turned, resized, dots}) {
        const unsigned number = live.request(in);
        live.waitIdle();
        LiveProduction::Result r = live.take();
        EXPECT_EQ(r.number, number);
        EXPECT_TRUE(samePicture(r.image.get(), ovek::produceStereogram(in).get()));
        EXPECT_EQ(live.take().number, 0u) << "a result is handed out once";
    }
}

TEST(LiveProduction, RefusedInputsAnswerWithTheReasonAndNoPicture)
{
    const auto pattern = noise(10, 10, 3);
    Component3D empty;
    ProductionInput in = meshInput(empty, *pattern);
    in.settings.eyeSeparation = 5;
    LiveProduction live(1);
    live.request(in);
    live.waitIdle();
    LiveProduction::Result r = live.take();
    EXPECT_EQ(r.number, 1u);
    EXPECT_FALSE(r.image);
    EXPECT_FALSE(r.status);
    EXPECT_NE(r.status.error.find("eye separation"), std::string::npos);
}

TEST(LiveProduction, ChangesAfterTheRequestNeverReachItsResult)
{
    DemoMesh demo;
    auto pattern = noise(100, 80, 11);
    const ProductionInput in = meshInput(demo.mesh, *pattern);
    const std::unique_ptr<Image> expected = ovek::produceStereogram(in);

    LiveProduction live(2);
    live.request(in);
    // The user goes on editing at once: every point moves, the pattern is redrawn.
    for (auto& p : demo.mesh.points) {
        p->z += 0.5;
        p->x *= 0.5;
    }
    std::fill(pattern->pixels.begin(), pattern->pixels.end(), 0);
    live.waitIdle();
    EXPECT_TRUE(samePicture(live.take().image.get(), expected.get()));
}

TEST(LiveProduction, ANewerRequestStopsTheRunningOneAndOnlyTheNewestDelivers)
{
    const auto pattern = noise(120, 90, 5);
    const auto depth = bumps(1200, 900);
    std::mutex m;
    std::condition_variable cv;
    bool started = false, resume = false;
    std::atomic<int> staleRows{0}, total{0};

    ProductionInput stale = depthInput(*depth, *pattern);
    stale.onRow = [&](int done, int all) {
        staleRows = done;
        total = all;
        std::unique_lock<std::mutex> lock(m);
        if (!started) {
            // Held after its first block until the newer requests came in.
            started = true;
            cv.notify_all();
            cv.wait_for(lock, std::chrono::seconds(60), [&] { return resume; });
        }
    };
    ProductionInput middle = depthInput(*depth, *pattern);
    middle.settings.eyeSeparation = 150;
    ProductionInput newest = depthInput(*depth, *pattern);
    newest.settings.viewing = ovek::ViewingMode::CrossEyed;

    LiveProduction live(2);
    std::atomic<int> ready{0};
    live.onReady = [&] { ++ready; };
    live.request(stale);
    {
        std::unique_lock<std::mutex> lock(m);
        ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(60), [&] { return started; }))
            << "the first request never ran";
    }
    live.request(middle);   // waits behind the running one, then is dropped
    const unsigned last = live.request(newest);
    {
        std::lock_guard<std::mutex> lock(m);
        resume = true;
    }
    cv.notify_all();
    live.waitIdle();

    EXPECT_LT(staleRows.load(), total.load()) << "the stale run went on to the end";
    EXPECT_EQ(ready.load(), 1);
    LiveProduction::Result r = live.take();
    EXPECT_EQ(r.number, last);
    EXPECT_TRUE(samePicture(r.image.get(), ovek::produceStereogram(newest).get()));
}

TEST(LiveProduction, ACancelledRunDeliversNothingMore)
{
    const auto pattern = noise(64, 64, 9);
    const auto depth = bumps(800, 600);
    std::atomic<bool> cancel{false};
    ProductionInput in = depthInput(*depth, *pattern);
    in.cancel = &cancel;
    int told = 0;
    in.onRow = [&](int, int) {
        if (++told == 1)
            cancel = true;
    };
    ovek::FileResult status;
    EXPECT_FALSE(ovek::produceStereogram(in, &status));
    EXPECT_FALSE(status);

    // Rows already delivered before the stop stay; none come after it.
    cancel = false;
    told = 0;
    struct Counting : ovek::RowSink {
        int rows = 0;
        std::atomic<bool>* flag = nullptr;
        bool putRows(int, int count, const uint8_t*, std::ptrdiff_t) override
        {
            rows += count;
            *flag = true;
            return true;
        }
    } sink;
    sink.flag = &cancel;
    in.onRow = nullptr;
    EXPECT_FALSE(ovek::produceStereogramRows(in, sink));
    EXPECT_GT(sink.rows, 0);
    EXPECT_LT(sink.rows, 600);
}
