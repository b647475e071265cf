// The stereogram settings on the command line: every option listed with its
// default, both forms of a value, lengths in units, the sizes, the geometry
// line and the refusals.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "image/image.h"
#include "tests/app/run_pexolen.h"

using testutil::Outcome;
using testutil::pexolen;

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

TEST(CommandLineSettings, HelpListsEveryOptionWithItsDefaultAndRange)
{
    const Outcome r = pexolen("produce --help");
    ASSERT_EQ(r.status, 0);
    for (const char* mention :
         {"--cross-eyed", "default: parallel", "--eye-separation LEN", "20 to 1000 pixels",
          "(default: 200)", "--dpi N", "(default: 96)", "--depth-scale F", "0 to 2.27 (default: 1)",
          "--invert", "--pattern KIND", "dots, grey-dots or colour-dots", "--density P",
          "(default: 50)", "--seed N", "(default: 1)", "--mark signature|none",
          "default:\n                     signature", "--guides none|top|bottom",
          "(default: none)", "--oversample N", "1 to 8\n                     (default: 1)",
          "--rotate X,Y,Z", "(default: 0,0,0)", "--print WxH{mm|cm|in}", "-v, --verbose",
          "--opt=value"})
        EXPECT_NE(r.out.find(mention), std::string::npos) << "lacks " << mention;
}

TEST(CommandLineSettings, ValuesInEitherFormAndLengthsInUnitsGiveTheSameBytes)
{
    testutil::TempDir dir;
    const std::string in = "produce -q --depth " + kDemo + "depth.bmp -o ";
    const std::pair<std::string, std::string> same[] = {
        // 2 inches at 100 dpi, 50.8 mm at 100 dpi: the default 200 pixels.
        {"", "--eye-separation 2in --dpi 100"},
        {"", "--eye-separation=50.8mm --dpi=100"},
        {"", "--depth-scale 1 --mark signature --guides none --oversample 1 --rotate 0,0,0"},
        {"--depth-scale 0.5 --seed 9 --pattern dots", "--depth-scale=0.5 --seed=9 --pattern=dots"},
        {"--eye-separation 150 --oversample 2", "--oversample=2 --eye-separation=150px"},
    };
    for (const auto& [a, b] : same) {
        ASSERT_EQ(pexolen(in + dir.file("a.bmp") + " " + a).status, 0) << a;
        ASSERT_EQ(pexolen(in + dir.file("b.bmp") + " " + b).status, 0) << b;
        EXPECT_EQ(testutil::readFile(dir.file("a.bmp")), testutil::readFile(dir.file("b.bmp")))
            << a << " | " << b;
    }
    ASSERT_EQ(pexolen(in + dir.file("c.bmp") + " --cross-eyed").status, 0);
    EXPECT_NE(testutil::readFile(dir.file("a.bmp")), testutil::readFile(dir.file("c.bmp")));
}

// A 16-bit depth picture is read at full precision: samples v * 257 give the
// bytes of the 8-bit picture v, in both 16-bit file kinds; finer samples give
// other bytes.
TEST(CommandLineSettings, SixteenBitDepthPicturesKeepTheirPrecision)
{
    testutil::TempDir dir;
    const auto convert = [](const std::string& args) {
        return std::system(("convert " + args + " 2>/dev/null").c_str()) == 0;
    };
    ASSERT_TRUE(convert("-size 200x150 gradient:black-white -colorspace Gray -depth 8 " +
                        dir.file("v8.png")));
    ASSERT_TRUE(convert(dir.file("v8.png") + " -define png:bit-depth=16 PNG48:" +
                        dir.file("v16.png")));
    ASSERT_TRUE(convert(dir.file("v8.png") + " -depth 16 " + dir.file("v16.pgm")));
    ASSERT_TRUE(convert("-size 200x150 gradient:black-white -colorspace Gray -depth 16 " +
                        dir.file("fine16.pgm")));
    std::map<std::string, std::string> made;
    for (const char* name : {"v8.png", "v16.png", "v16.pgm", "fine16.pgm"}) {
        ASSERT_EQ(pexolen("produce -q --depth " + dir.file(name) + " -o " + dir.file("o.bmp"))
                      .status,
                  0)
            << name;
        made[name] = testutil::readFile(dir.file("o.bmp"));
    }
    EXPECT_EQ(made["v16.png"], made["v8.png"]);
    EXPECT_EQ(made["v16.pgm"], made["v8.png"]);
    EXPECT_NE(made["fine16.pgm"], made["v8.png"]);
}

TEST(CommandLineSettings, SizesInPixelsOrPrintedAndTheGeometryLine)
{
    testutil::TempDir dir;
    struct Case {
        std::string args;
        std::string said;
    } cases[] = {
        // 10 cm at 254 dpi is 1000 pixels.
        {"--print 10x8cm --dpi 254", "s.bmp: 1000 x 800"},
        {"--print 2x1in", "s.bmp: 192 x 96"},
        {"--depth " + kDemo + "depth.bmp --size 1000x700", "s.bmp: 1000 x 700"},
        {"--depth " + kDemo + "depth.bmp --size 400x300", "s.bmp: 800 x 600"},
        {"-v --depth " + kDemo + "depth.bmp",
         "geometry: background repeat 134.88 px (height 0.0), nearest repeat"},
        {"-v --depth " + kDemo + "depth.bmp --eye-separation 100 --depth-scale 0",
         "background repeat 67.44 px (height 0.0), nearest repeat 67.44 px (height 0.0), 1 depth levels"},
        {"--verbose --size 300x200 --cross-eyed", "geometry: background repeat"},
    };
    for (const Case& c : cases) {
        const Outcome r = pexolen("produce " + c.args + " -o " + dir.file("s.bmp"));
        EXPECT_EQ(r.status, 0) << c.args << "\n" << r.err;
        EXPECT_NE(r.out.find(c.said), std::string::npos) << c.args << "\n" << r.out;
    }
}

TEST(CommandLineSettings, ValuesOutOfRangeAreRefusedNamingTheRange)
{
    testutil::TempDir dir;
    const std::string out = " -o " + dir.file("x.bmp");
    struct Case {
        std::string args;
        std::string said;
    } cases[] = {
        {"--eye-separation 10", "--eye-separation takes a length of 20 to 1000 pixels"},
        {"--eye-separation 30cm", "not '30cm'"},
        {"--eye-separation 5furlongs", "--eye-separation takes a length"},
        {"--dpi 0", "--dpi takes a number from 10 to 4800, not '0'"},
        {"--depth-scale 2.5", "--depth-scale takes a factor from 0 to 2.27, not '2.5'"},
        {"--depth-scale=-1", "--depth-scale takes a factor from 0 to 2.27"},
        {"--depth-scale nan", "--depth-scale takes a factor"},
        {"--density 101 --pattern dots", "--density takes a percentage from 0 to 100"},
        {"--seed -1", "--seed needs a value"},
        {"--seed=4294967296", "--seed takes a whole number from 0 to 4294967295"},
        {"--seed 1.5", "--seed takes a whole number"},
        {"--mark yes", "--mark takes signature or none, not 'yes'"},
        {"--guides left", "--guides takes none, top or bottom, not 'left'"},
        {"--oversample 9", "--oversample takes a whole number from 1 to 8, not '9'"},
        {"--oversample 0", "--oversample takes a whole number from 1 to 8"},
        {"--rotate 0,180", "--rotate takes X,Y,Z in degrees, each from -360 to 360"},
        {"--rotate 0,400,0", "--rotate takes X,Y,Z"},
        {"--rotate=1,2,3,4", "--rotate takes X,Y,Z"},
        {"--print 10x8", "--print takes WIDTHxHEIGHT with mm, cm or in (at --dpi 96)"},
        {"--print 500x500cm", "--print takes WIDTHxHEIGHT"},
        {"--cross-eyed=yes", "--cross-eyed takes no value"},
    };
    for (const Case& c : cases) {
        const Outcome r = pexolen("produce " + c.args + out);
        EXPECT_EQ(r.status, 1) << c.args << "\n" << r.err;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << c.args << "\n" << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.bmp")));
}

}  // namespace
