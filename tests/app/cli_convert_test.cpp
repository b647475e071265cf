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

TEST(CommandLine, EachCommandsHelpListsEveryOptionItsDefaultAndExamples)
{
    struct Case {
        std::string command;
        std::vector<std::string> mentions;
    } cases[] = {
        {"produce",
         {"--model FILE", "default: demo/demo.3ds", "--size WxH", "default: 866x554", "--depth FILE",
          "--pattern FILE", "default:\n                     demo/pattern.bmp", "-o, --output FILE",
          "default: stereogram.bmp", "--format FORMAT", "-q, --quiet", "-h, --help", "Examples:\n"}},
        {"convert", {"INPUT", "OUTPUT", "--format FORMAT", "default: by the ending", "Examples:\n"}},
        {"info", {"--points", "-h, --help", "Examples:\n"}},
    };
    for (const Case& c : cases)
        for (const std::string& ask : {c.command + " --help", c.command + " -h", "help " + c.command,
                                       c.command + " --bogus --help"}) {
            const testutil::Outcome r = testutil::pexolen(ask);
            EXPECT_EQ(r.status, 0) << ask << "\n" << r.err;
            EXPECT_EQ(r.out.rfind("Usage: pexolen " + c.command + " ", 0), 0u) << r.out;
            for (const std::string& m : c.mentions)
                EXPECT_NE(r.out.find(m), std::string::npos) << ask << " lacks " << m;
        }
    const testutil::Outcome help = testutil::pexolen("--help");
    for (const char* line : {"Exit status:\n", "\n  0  success\n", "\n  1  wrong usage",
                             "\n  2  an input cannot be read\n", "\n  3  the output cannot be written\n"})
        EXPECT_NE(help.out.find(line), std::string::npos) << help.out;
    const testutil::Outcome version = testutil::pexolen("--version");
    EXPECT_EQ(version.out.rfind("pexolen ", 0), 0u);
    EXPECT_NE(version.out.find("Libraries: FLTK 1."), std::string::npos) << version.out;
    for (const char* library : {", libpng 1.", ", libjpeg-turbo ", ", giflib 5."})
        EXPECT_NE(version.out.find(library), std::string::npos) << version.out;
    std::string err;
    EXPECT_EQ(pexolen("info --points=yes x.om", &err), 1);
    EXPECT_NE(err.find("--points takes no value"), std::string::npos) << err;
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
