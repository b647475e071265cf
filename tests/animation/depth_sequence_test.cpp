#include <gtest/gtest.h>

#include "animation/depth_sequence.h"
#include "animation/numbered_name.h"
#include "image/image.h"
#include "tests/test_util.h"

namespace {

using namespace ovek;

void writeDepth(const std::string& path, int w, int h, int level)
{
    Image img(nullptr, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setColor(x, y, level, level, level);
    ASSERT_TRUE(img.writeBMPFile(path));
}

TEST(NumberedName, OneNumberFieldWithWidthAndZeros)
{
    EXPECT_TRUE(isNumberedName("out_%03d.png"));
    EXPECT_TRUE(isNumberedName("%d.bmp"));
    EXPECT_TRUE(isNumberedName("100%%_%4d.png"));
    EXPECT_FALSE(isNumberedName("out.png"));
    EXPECT_FALSE(isNumberedName("%d_%d.png"));
    EXPECT_FALSE(isNumberedName("%s.png"));
    EXPECT_FALSE(isNumberedName("%012d.png")) << "widths of one digit";
    EXPECT_FALSE(isNumberedName("out_%"));
    EXPECT_EQ(numberedName("out_%03d.png", 7), "out_007.png");
    EXPECT_EQ(numberedName("out_%03d.png", 1234), "out_1234.png");
    EXPECT_EQ(numberedName("100%%_%4d.png", 12), "100%_  12.png");
    EXPECT_EQ(numberedName("f%d", 0), "f0");
}

TEST(DepthSequence, NumberedFilesFromZeroOrOneUpToTheFirstMissing)
{
    testutil::TempDir dir;
    for (int k : {1, 2, 3, 5})
        writeDepth(dir.file(numberedName("d_%02d.bmp", k)), 4, 4, 0);
    std::vector<std::string> files;
    ASSERT_TRUE(depthSequenceFiles({dir.file("d_%02d.bmp")}, files));
    EXPECT_EQ(files, (std::vector<std::string>{dir.file("d_01.bmp"), dir.file("d_02.bmp"),
                                               dir.file("d_03.bmp")}));
    EXPECT_FALSE(depthSequenceFiles({dir.file("e_%02d.bmp")}, files)) << "nothing numbered so";
}

TEST(DepthSequence, AFolderIsReadInNaturalOrderPicturesOnly)
{
    testutil::TempDir dir;
    for (const char* name : {"frame10.bmp", "frame2.BMP", "frame1.bmp"})
        writeDepth(dir.file(name), 4, 4, 0);
    testutil::writeFile(dir.file("notes.txt"), "not a picture");
    std::vector<std::string> files;
    ASSERT_TRUE(depthSequenceFiles({dir.path().string()}, files));
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0], dir.file("frame1.bmp"));
    EXPECT_EQ(files[1], dir.file("frame2.BMP"));
    EXPECT_EQ(files[2], dir.file("frame10.bmp"));
}

TEST(DepthSequence, CheckNamesTheFirstBadFrameInOrder)
{
    testutil::TempDir dir;
    for (int k = 0; k < 6; ++k)
        writeDepth(dir.file(numberedName("d%d.bmp", k)), 40, 30, 20 * k);
    // Frame 4 cut short, frame 5 not a picture at all.
    const std::string whole = testutil::readFile(dir.file("d4.bmp"));
    testutil::writeFile(dir.file("d4.bmp"), whole.substr(0, whole.size() / 2));
    testutil::writeFile(dir.file("d5.bmp"), "no picture here");
    std::vector<std::string> files;
    ASSERT_TRUE(depthSequenceFiles({dir.file("d%d.bmp")}, files));
    ASSERT_EQ(files.size(), 6u);
    DepthSequence cut(files, 0, 0);
    const SequenceProblem problem = cut.check(3);
    EXPECT_EQ(problem.kind, SequenceProblem::Unreadable);
    EXPECT_EQ(problem.file, dir.file("d4.bmp"));

    files.resize(4);
    writeDepth(dir.file("d2.bmp"), 41, 30, 0);
    DepthSequence mixed(files, 0, 0);
    const SequenceProblem sizes = mixed.check(2);
    EXPECT_EQ(sizes.kind, SequenceProblem::MixedSizes);
    EXPECT_EQ(sizes.file, dir.file("d2.bmp"));

    // Resampled to one size, mixed sizes make frames of that size.
    DepthSequence resampledFrames(files, 900, 700);
    EXPECT_EQ(resampledFrames.check(2).kind, SequenceProblem::None);
    int w = 0, h = 0;
    resampledFrames.frameSize(w, h);
    EXPECT_EQ(w, 900);
    EXPECT_EQ(h, 700);
    FrameDepth holder;
    ProductionInput in;
    ASSERT_TRUE(resampledFrames.depthOf(2, holder, in));
    w = h = 0;
    resultSize(in, w, h);
    EXPECT_EQ(w, 900);
    EXPECT_EQ(h, 700);
}

}  // namespace
