#include <gtest/gtest.h>

#include "image/image.h"
#include "tests/app/run_pexolen.h"

namespace {

// Exit status of the pexolen binary; its standard error in *err.
int pexolen(const std::string& args, std::string* err = nullptr)
{
    const testutil::Outcome r = testutil::pexolen(args);
    if (err)
        *err = r.err;
    return r.status;
}

TEST(CommandLine, VersionHelpAndWrongUsage)
{
    EXPECT_EQ(pexolen("--version"), 0);
    EXPECT_EQ(pexolen("--help"), 0);
    // No arguments at all open the window (window_start_test.cpp).
    std::string err;
    EXPECT_EQ(pexolen("frobnicate", &err), 1);
    EXPECT_NE(err.find("Usage"), std::string::npos);
    EXPECT_EQ(pexolen("convert onlyone"), 1);
}

TEST(CommandLine, ConvertWritesA24BitCopy)
{
    testutil::TempDir dir;
    ovek::Image img(nullptr, 3, 2);
    img.setColor(2, 1, 1, 2, 3);
    ASSERT_TRUE(img.writePNGFile(dir.file("in.png")));
    ASSERT_EQ(pexolen("convert " + dir.file("in.png") + " " + dir.file("out.bmp")), 0);
    ovek::Image back(nullptr, 1, 1);
    ASSERT_TRUE(back.loadImage(dir.file("out.bmp")));
    EXPECT_EQ(back.getWidth(), 3);
    EXPECT_EQ(back.getColor(2, 1), img.getColor(2, 1));
}

TEST(CommandLine, ConvertErrorsNameTheFileAndLeaveNoOutput)
{
    testutil::TempDir dir;
    std::string err;
    EXPECT_EQ(pexolen("convert " + dir.file("none.bmp") + " " + dir.file("o.bmp"), &err), 2);
    EXPECT_NE(err.find("none.bmp"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.bmp")));

    testutil::writeFile(dir.file("junk.bmp"), "BM but nothing else");
    EXPECT_EQ(pexolen("convert " + dir.file("junk.bmp") + " " + dir.file("o.bmp")), 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.bmp")));

    ovek::Image img(nullptr, 2, 2);
    ASSERT_TRUE(img.writeBMPFile(dir.file("ok.bmp")));
    EXPECT_EQ(pexolen("convert " + dir.file("ok.bmp") + " " + dir.file("no/such/dir/o.bmp"), &err), 3);
    EXPECT_NE(err.find("o.bmp"), std::string::npos) << err;
}

}  // namespace
