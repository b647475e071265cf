// Every picture format read: variants made by ImageMagick from sources the
// test writes, read back to the source's pixels; damaged and cut files refused
// with a reason; the regression files of the old reader.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/image/picture_test_util.h"

namespace {

using namespace picturetest;

const std::string kRegressions = std::string(PEXOLEN_SOURCE_DIR) + "/tests/fuzz/regressions/picture/";

TEST(PictureReader, EveryLosslessVariantReadsToTheSourcePixels)
{
    testutil::TempDir dir;
    const Source s = smoothSource(23, 17);
    testutil::writeFile(dir.file("src.ppm"), netpbm(s, false));
    testutil::writeFile(dir.file("grey.pgm"), netpbm(s, false, true));
    struct Variant {
        const char* name;
        const char* from;
        const char* options;  // before the output name
        bool grey;
    };
    const Variant variants[] = {
        {"rgb.png", "src.ppm", "", false},
        {"interlaced.png", "src.ppm", "-interlace PNG", false},
        {"palette.png", "src.ppm", "-define png:color-type=3", false},
        {"rgba.png", "src.ppm",
         "-alpha set -channel A -evaluate set 30% +channel -define png:color-type=6", false},
        {"palette-alpha.png", "src.ppm", "-alpha set -channel A -evaluate set 30% +channel", false},
        {"grey.png", "grey.pgm", "-define png:color-type=0", true},
        {"grey-alpha.png", "grey.pgm",
         "-alpha set -channel A -evaluate set 50% +channel -define png:color-type=4", true},
        {"grey-4bit.png", "grey.pgm", "-define png:color-type=0 -define png:bit-depth=4", true},
        {"grey-2bit.png", "grey.pgm", "-define png:color-type=0 -define png:bit-depth=2", true},
        {"first-frame.gif", "src.ppm", "", false},
        {"interlaced.gif", "src.ppm", "-interlace GIF", false},
        {"rgba.pam", "src.ppm", "-alpha set", false},
        {"plain.ppm", "src.ppm", "-compress none", false},
        {"plain.pgm", "grey.pgm", "-compress none", true},
    };
    for (const Variant& v : variants) {
        ASSERT_TRUE(magick(dir.file(v.from) + " " + v.options + " " + dir.file(v.name))) << v.name;
        const Read r = readFile(dir.file(v.name));
        ASSERT_TRUE(r.result) << v.name << ": " << r.result.error;
        ASSERT_EQ(r.width, s.width) << v.name;
        ASSERT_EQ(r.height, s.height) << v.name;
        EXPECT_EQ(worstChannel(r.rgb, expected8(s, v.grey)), 0) << v.name;
    }
    // ImageMagick wrote what was asked: bit depth and colour type from the header.
    const std::pair<const char*, std::string> headers[] = {
        {"palette.png", {8, 3}}, {"palette-alpha.png", {8, 3}}, {"rgba.png", {8, 6}},
        {"grey-alpha.png", {8, 4}},
        {"grey-4bit.png", {4, 0}}, {"grey-2bit.png", {2, 0}}};
    for (const auto& [name, depthAndType] : headers)
        EXPECT_EQ(testutil::readFile(dir.file(name)).substr(24, 2), depthAndType) << name;
}

TEST(PictureReader, JPEGVariantsReadAsImageMagickReadsThem)
{
    testutil::TempDir dir;
    const Source s = smoothSource(40, 24);
    testutil::writeFile(dir.file("src.ppm"), netpbm(s, false));
    const char* variants[] = {"-quality 90", "-interlace JPEG", "-colorspace Gray",
                              "-sampling-factor 2x2", "-colorspace CMYK"};
    for (const char* options : variants) {
        const std::string jpg = dir.file("v.jpg");
        ASSERT_TRUE(magick(dir.file("src.ppm") + " " + options + " " + jpg)) << options;
        ASSERT_TRUE(magick(jpg + " -depth 8 " + dir.file("back.ppm"))) << options;
        const Read r = readFile(jpg), theirs = readFile(dir.file("back.ppm"));
        ASSERT_TRUE(r.result) << options << ": " << r.result.error;
        ASSERT_EQ(r.width, s.width);
        EXPECT_LE(worstChannel(r.rgb, theirs.rgb), 1) << options;
    }
}

TEST(PictureReader, SixteenBitFilesKeepTheirSamplesWhenAsked)
{
    testutil::TempDir dir;
    const Source s = deepSource(9, 7);
    testutil::writeFile(dir.file("deep.ppm"), netpbm(s, true));
    testutil::writeFile(dir.file("deep.pgm"), netpbm(s, true, true));
    ASSERT_TRUE(magick(dir.file("deep.ppm") + " " + dir.file("rgb16.png")));
    ASSERT_TRUE(magick(dir.file("deep.pgm") + " " + dir.file("grey16.png")));
    ASSERT_TRUE(magick(dir.file("deep.ppm") + " " + dir.file("rgb16.pam")));
    struct Case {
        const char* file;
        bool grey;
    };
    for (const Case c : {Case{"deep.ppm", false}, Case{"deep.pgm", true}, Case{"rgb16.png", false},
                         Case{"grey16.png", true}, Case{"rgb16.pam", false}}) {
        const std::string path = dir.file(c.file);
        ASSERT_EQ(testutil::readFile(path).size() > size_t(s.width * s.height * 2), true);
        // The full-colour picture holds the high bytes, as ever.
        const Read r = readFile(path);
        ASSERT_TRUE(r.result) << c.file << ": " << r.result.error;
        EXPECT_EQ(r.rgb, expected8(s, c.grey)) << c.file;

        ovek::GreyPicture plain, deep;
        ASSERT_TRUE(ovek::loadGreyPicture(path, plain));
        ASSERT_TRUE(ovek::loadGreyPicture(path, deep, true));
        EXPECT_TRUE(plain.values16.empty()) << c.file;
        EXPECT_EQ(plain.values, deep.values) << c.file;
        ASSERT_EQ(deep.values16.size(), size_t(s.width * s.height)) << c.file;
        for (size_t i = 0; i < deep.values16.size(); ++i) {
            const uint16_t* p = &s.rgb[3 * i];
            const uint32_t r16 = p[0], g16 = c.grey ? p[0] : p[1], b16 = c.grey ? p[0] : p[2];
            ASSERT_EQ(deep.values16[i], (r16 + g16 + b16) / 3) << c.file << " pixel " << i;
            ASSERT_EQ(deep.values[i], ((r16 >> 8) + (g16 >> 8) + (b16 >> 8)) / 3) << c.file;
        }
    }
    // An 8-bit file gives no 16-bit samples, asked or not.
    testutil::writeFile(dir.file("flat.ppm"), netpbm(s, false));
    ovek::GreyPicture flat;
    ASSERT_TRUE(ovek::loadGreyPicture(dir.file("flat.ppm"), flat, true));
    EXPECT_TRUE(flat.values16.empty());
}

TEST(PictureReader, NetpbmPlainBinaryAndPAMAgreeAndScaleToTheirLargestValue)
{
    // A 3 x 2 picture: black, white, grey; then levels of maxval 3.
    const std::string bitmapPlain = "P1\n# comment\n3 2\n0 1 0\n101\n";
    const std::string bitmapBinary = std::string("P4 3 2\n") + char(0x40) + char(0xa0);
    const Read a = readBytes(bitmapPlain), b = readBytes(bitmapBinary);
    ASSERT_TRUE(a.result) << a.result.error;
    ASSERT_TRUE(b.result) << b.result.error;
    EXPECT_EQ(a.rgb, (std::vector<uint32_t>{0xffffff, 0, 0xffffff, 0, 0xffffff, 0}));
    EXPECT_EQ(b.rgb, a.rgb);

    const std::string greyPlain = "P2 3 2 3\n0 1 2\n3 9 1\n";
    const std::string greyBinary = std::string("P5 3 2 3\n") + '\0' + '\1' + '\2' + '\3' + '\x9' + '\1';
    const std::string greyPAM = "P7\nWIDTH 3\nHEIGHT 2\nDEPTH 1\nMAXVAL 3\nTUPLTYPE GRAYSCALE\nENDHDR\n" +
                                greyBinary.substr(9);
    const std::vector<uint32_t> levels = {0, 0x555555, 0xaaaaaa, 0xffffff, 0xffffff, 0x555555};
    for (const std::string& f : {greyPlain, greyBinary, greyPAM}) {
        const Read r = readBytes(f);
        ASSERT_TRUE(r.result) << f << ": " << r.result.error;
        EXPECT_EQ(r.rgb, levels) << "a sample past maxval counts as maxval: " << f;
    }
    const std::string colourPlain = "P3 1 1 255 10 20 30";
    const std::string colourPAM = "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n"
                                  "\x0a\x14\x1e\x7f";
    EXPECT_EQ(readBytes(colourPlain).rgb, std::vector<uint32_t>{0x0a141e});
    EXPECT_EQ(readBytes(colourPAM).rgb, std::vector<uint32_t>{0x0a141e});

    const std::pair<std::string, std::string> refused[] = {
        {"P5 3 2 0\n", "largest value 0"},
        {"P5 3 2 70000\n", "largest value"},
        {"P6 99999999999999999999 1 255\n", "width or height"},
        {"P5 40000 2 255\n", "too large"},
        {"P6 2000 2000 255\nxx", "ends before the last row"},
        {"P7\nWIDTH 1\nHEIGHT 1\nDEPTH 5\nMAXVAL 255\nENDHDR\n", "1 to 4"},
        {"P7\nWIDTH 1\nHEIGHT 1\n", "ENDHDR"},
    };
    for (const auto& [bytes, why] : refused) {
        const Read r = readBytes(bytes);
        EXPECT_FALSE(r.result) << bytes;
        EXPECT_NE(r.result.error.find(why), std::string::npos) << bytes << ": " << r.result.error;
    }
}

TEST(PictureReader, FilesCutAtEveryLengthAreRefusedAndLeaveThePictureAlone)
{
    testutil::TempDir dir;
    const Source s = smoothSource(11, 9);
    testutil::writeFile(dir.file("src.ppm"), netpbm(s, false));
    testutil::writeFile(dir.file("deep.pgm"), netpbm(deepSource(5, 4), true, true));
    const char* made[][2] = {{"a.png", ""}, {"i.png", "-interlace PNG"}, {"a.jpg", ""},
                             {"p.jpg", "-interlace JPEG"}, {"a.gif", ""}, {"a.pam", ""}};
    std::vector<std::string> files = {dir.file("src.ppm"), dir.file("deep.pgm")};
    for (const auto& m : made) {
        ASSERT_TRUE(magick(dir.file("src.ppm") + " " + m[1] + " " + dir.file(m[0])));
        files.push_back(dir.file(m[0]));
    }
    for (const std::string& path : files) {
        const std::string bytes = testutil::readFile(path);
        ASSERT_TRUE(readBytes(bytes).result) << path;
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            ovek::Image img(nullptr, 1, 1);
            img.setPixel(0, 0, 1, 2, 3);
            const ovek::FileResult r = ovek::decodePicture(
                reinterpret_cast<const uint8_t*>(bytes.data()), cut, img);
            ASSERT_FALSE(r) << path << " cut at " << cut;
            ASSERT_FALSE(r.error.empty()) << path << " cut at " << cut;
            ASSERT_EQ(img.getWidth(), 1);
            ASSERT_EQ(img.getColor(0, 0), 0x030201) << path << " cut at " << cut;
        }
    }
}

TEST(PictureReader, FilesThatBrokeTheOldReaderAreReadRightOrRefused)
{
    // A valid 16 x 12 PGM of 16-bit samples: its last 384 bytes, big-endian.
    const std::string bytes = testutil::readFile(kRegressions + "grey16.pgm");
    ovek::GreyPicture g;
    ASSERT_TRUE(ovek::loadGreyPicture(kRegressions + "grey16.pgm", g, true));
    ASSERT_EQ(g.width, 16);
    ASSERT_EQ(g.height, 12);
    const std::string samples = bytes.substr(bytes.size() - 16 * 12 * 2);
    for (size_t i = 0; i < g.values16.size(); ++i) {
        const uint16_t v = uint16_t(uint8_t(samples[2 * i]) << 8 | uint8_t(samples[2 * i + 1]));
        ASSERT_EQ(g.values16[i], v) << i;
        ASSERT_EQ(g.values[i], v >> 8) << i;
    }
    for (const char* name : {"huffman-counts-past-256.jpg", "pnm-header-overflow.ppm"}) {
        const Read r = readFile(kRegressions + name);
        EXPECT_FALSE(r.result) << name;
        EXPECT_NE(r.result.error.find("cut short or damaged"), std::string::npos) << r.result.error;
    }
}

TEST(PictureReader, PhotoshopAndUnknownFilesAreRefusedNamingTheFormatsRead)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("src.ppm"), netpbm(smoothSource(8, 8), false));
    ASSERT_TRUE(magick(dir.file("src.ppm") + " " + dir.file("a.psd")));
    const Read psd = readFile(dir.file("a.psd"));
    EXPECT_FALSE(psd.result);
    EXPECT_NE(psd.result.error.find("PSD"), std::string::npos) << psd.result.error;
    EXPECT_NE(psd.result.error.find("BMP, PNG, JPEG, GIF or PNM"), std::string::npos);
    const Read other = readBytes("II*\0 a TIFF file");
    EXPECT_NE(other.result.error.find("BMP, PNG, JPEG, GIF or PNM"), std::string::npos);
}

}  // namespace
