#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "mesh/contained_read.h"
#include "mesh/mesh_wire.h"

namespace {

ovek::MeshData triangle()
{
    ovek::MeshData d;
    d.xyz = {0, 0, 0, 1, 0, 0, 0, 1, 0.5};
    d.corners = {0, 1, 2};
    return d;
}

ovek::ContainLimits shortLimits()
{
    ovek::ContainLimits l;
    l.seconds = 2;
    l.memoryBytes = size_t(256) << 20;
    return l;
}

TEST(ContainedRead, TheChildsMeshAndWarningComeBackWhole)
{
    ovek::MeshData out;
    const ovek::FileResult r = ovek::readContained(
        [](ovek::MeshData& d) {
            d = triangle();
            return ovek::FileResult::withWarning("part left out");
        },
        shortLimits(), out);
    ASSERT_TRUE(r) << r.error;
    EXPECT_EQ(r.warning, "part left out");
    EXPECT_EQ(out.xyz, triangle().xyz);
    EXPECT_EQ(out.corners, triangle().corners);
}

TEST(ContainedRead, ARefusalKeepsItsReason)
{
    ovek::MeshData out = triangle();
    const ovek::FileResult r = ovek::readContained(
        [](ovek::MeshData&) { return ovek::FileResult::failure("the file is not a valid OBJ"); },
        shortLimits(), out);
    EXPECT_EQ(r.error, "the file is not a valid OBJ");
    EXPECT_EQ(out.corners.size(), 3u);   // untouched
}

TEST(ContainedRead, CrashesHangsAndEndlessMemoryBecomeRefusals)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    ovek::MeshData out;
    ovek::FileResult r = ovek::readContained(
        [](ovek::MeshData&) -> ovek::FileResult { std::abort(); }, shortLimits(), out);
    EXPECT_NE(r.error.find("the reader failed on this file (an abort"), std::string::npos)
        << r.error;

    r = ovek::readContained(
        [](ovek::MeshData&) -> ovek::FileResult {
            volatile int* nowhere = nullptr;
            return ovek::FileResult::failure(std::to_string(*nowhere));
        },
        shortLimits(), out);
    EXPECT_NE(r.error.find("the reader failed on this file"), std::string::npos) << r.error;

    r = ovek::readContained(
        [](ovek::MeshData&) -> ovek::FileResult {
            for (volatile bool forever = true; forever;) {
            }
            return {};
        },
        shortLimits(), out);
    EXPECT_EQ(r.error, "reading the file took longer than 2 s; it may be damaged");

    // Memory touched a page at a time, so that it is really there.
    r = ovek::readContained(
        [](ovek::MeshData& d) -> ovek::FileResult {
            std::vector<char*> kept;
            for (;;) {
                char* block = static_cast<char*>(std::malloc(1 << 20));
                if (!block)
                    throw std::bad_alloc();
                std::memset(block, 1, 1 << 20);
                kept.push_back(block);
                d.warning.assign(1, block[12345]);
            }
        },
        shortLimits(), out);
    EXPECT_FALSE(r);
    EXPECT_TRUE(r.error.find("256 MiB allowed") != std::string::npos ||
                r.error.find("the reader failed") != std::string::npos)
        << r.error;
    EXPECT_TRUE(out.xyz.empty());
    // Four stopped children cost their limits at most.
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 8);
}

TEST(MeshWire, EveryDamagedAnswerIsRefusedAndASoundOneReadsBack)
{
    ovek::MeshData d = triangle();
    d.warning = "w";
    const std::string good = ovek::encodeMeshWire(ovek::FileResult::success(), d);
    ovek::MeshData back;
    ASSERT_TRUE(ovek::decodeMeshWire(good, back));
    EXPECT_EQ(back.xyz, d.xyz);
    EXPECT_EQ(back.warning, "w");

    // Cut at every length, and one byte too many.
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(ovek::decodeMeshWire(good.substr(0, n), back)) << n;
    EXPECT_FALSE(ovek::decodeMeshWire(good + "x", back));

    auto damaged = [&](size_t at, const void* bytes, size_t n) {
        std::string b = good;
        std::memcpy(&b[at], bytes, n);
        ovek::MeshData r = triangle();
        const ovek::FileResult result = ovek::decodeMeshWire(b, r);
        return !result && result.error.find("damaged answer") != std::string::npos &&
               r.corners.size() == 3;
    };
    const uint32_t past = 3;
    EXPECT_TRUE(damaged(12 + 16 + 72 + 8, &past, 4)) << "a corner past the points";
    const double nan = std::nan("");
    EXPECT_TRUE(damaged(12 + 16 + 8, &nan, 8)) << "a coordinate that is not a number";
    const uint64_t huge = uint64_t(1) << 40;
    EXPECT_TRUE(damaged(12, &huge, 8)) << "a point count past the cap";
    EXPECT_TRUE(damaged(0, "PXMX", 4)) << "another header";

    const std::string refusal =
        ovek::encodeMeshWire(ovek::FileResult::failure(std::string(10000, 'r')), d);
    EXPECT_EQ(ovek::decodeMeshWire(refusal, back).error.size(), ovek::kMaxWireText);
}

}  // namespace
