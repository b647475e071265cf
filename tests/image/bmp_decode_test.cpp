// Hand-made BMP files for the cases the corpus leaves open, and damaged files:
// cut at every length, corrupted header fields, counts past the data.
#include <gtest/gtest.h>

#include "tests/image/bmp_test_util.h"

namespace {

using namespace std::string_literals;  // "..."s keeps embedded zero bytes

using bmptest::buildBMP;
using bmptest::decode;
using bmptest::le32;
using bmptest::Picture;
using bmptest::Layout;

const std::vector<uint32_t> kFourColours = {0x000000, 0xff0000, 0x00ff00, 0x0000ff};

TEST(BMPDecode, PaletteIndicesAreReadFromTheHighBitsOfEachByte)
{
    // Five pixels with indices 1, 2, 3, 0, 1 at every depth.
    const std::pair<uint16_t, std::string> rows[] = {
        {2, "\x6c\x40\0\0"s},
        {4, "\x12\x30\x10\0"s},
        {8, "\x01\x02\x03\x00\x01\0\0\0"s},
    };
    for (const auto& [bits, row] : rows) {
        Layout s;
        s.width = 5;
        s.bits = bits;
        s.palette = kFourColours;
        s.pixels = row;
        const Picture p = decode(buildBMP(s));
        ASSERT_TRUE(p.ok) << bits << ": " << p.error;
        const uint32_t want[] = {0xff0000, 0x00ff00, 0x0000ff, 0x000000, 0xff0000};
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(p.at(x, 0), want[x]) << bits << " bits, pixel " << x;
    }
    // One bit: nine pixels over two bytes.
    Layout s;
    s.width = 9;
    s.bits = 1;
    s.palette = {0x102030, 0xffffff};
    s.pixels = "\xa5\x80\0\0"s;
    Picture p = decode(buildBMP(s));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.at(0, 0), 0xffffffu);
    EXPECT_EQ(p.at(1, 0), 0x102030u);
    EXPECT_EQ(p.at(8, 0), 0xffffffu);
    // An index past the two-entry table shows black.
    s.bits = 8;
    s.pixels = "\x01\x07"s + std::string(10, '\0');
    p = decode(buildBMP(s));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.at(1, 0), 0u);
}

TEST(BMPDecode, NegativeHeightStoresTheTopRowFirst)
{
    Layout s;
    s.width = 1;
    s.height = 2;
    s.pixels = "\x01\x02\x03\0\x04\x05\x06\0"s;
    const Picture up = decode(buildBMP(s));
    s.height = -2;
    const Picture down = decode(buildBMP(s));
    ASSERT_TRUE(up.ok && down.ok);
    EXPECT_EQ(up.at(0, 0), 0x060504u);
    EXPECT_EQ(down.at(0, 0), 0x030201u);
    EXPECT_EQ(down.height, 2);
}

TEST(BMPDecode, MaskedChannelsWidenToEightBitsByRepeatingTheirBits)
{
    Layout s;
    s.width = 2;
    s.bits = 16;
    s.compression = 3;
    s.masks = {0x0007, 0x01f8, 0xfe00};   // 3, 6 and 7 bits
    s.pixels = "\x05\0\xff\xff"s;  // red 101b; then every bit set
    Picture p = decode(buildBMP(s));
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.at(0, 0), 0xb60000u);
    EXPECT_EQ(p.at(1, 0), 0xffffffu);
    s.bits = 32;
    s.masks = {0xffc00000, 0, 0x3ff};   // 10 bits keep their top 8; no green bits
    s.pixels = "\0\0\0\x80\x01\x02\0\0"s;
    p = decode(buildBMP(s));
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.at(0, 0), 0x800000u);
    EXPECT_EQ(p.at(1, 0), 0x000080u);
    s.masks = {0x00ff00ff, 0, 0};
    EXPECT_FALSE(decode(buildBMP(s)).ok) << "a mask with gaps";
    s.masks = {0, 0, 0};
    EXPECT_FALSE(decode(buildBMP(s)).ok) << "no channel at all";
}

Layout rle8(const std::string& codes)
{
    Layout s;
    s.width = 4;
    s.height = 3;
    s.bits = 8;
    s.compression = 1;
    s.palette = kFourColours;
    s.pixels = codes;
    return s;
}

// Bottom row: a run of one 1, a literal 1 2 3 (padded), end of line; a jump
// of one column and one row to the top row; a run of one 3; end of picture.
const std::string kRle8Codes = "\x01\x01\x00\x03\x01\x02\x03\x00\x00\x00\x00\x02\x01\x01\x01\x03\x00\x01"s;

TEST(BMPDecode, RunLengthCodesFillRowsFromTheBottomAndSkippedPixelsStayBlack)
{
    Picture p = decode(buildBMP(rle8(kRle8Codes)));
    ASSERT_TRUE(p.ok) << p.error;
    const uint32_t want[3][4] = {{0, 0x0000ff, 0, 0},
                                 {0, 0, 0, 0},
                                 {0xff0000, 0xff0000, 0x00ff00, 0x0000ff}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(p.at(x, y), want[y][x]) << x << "," << y;

    // RLE4: runs alternate the two nibbles; a literal of three takes two bytes.
    Layout s = rle8("\x03\x12\x01\x21\x00\x00\x00\x03\x31\x20\x00\x01"s);
    s.bits = 4;
    s.compression = 2;
    p = decode(buildBMP(s));
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.at(0, 2), 0xff0000u);
    EXPECT_EQ(p.at(1, 2), 0x00ff00u);
    EXPECT_EQ(p.at(2, 2), 0xff0000u);
    EXPECT_EQ(p.at(3, 2), 0x00ff00u);
    EXPECT_EQ(p.at(0, 1), 0x0000ffu);
    EXPECT_EQ(p.at(2, 1), 0x00ff00u);
    EXPECT_EQ(p.at(3, 1), 0u);

    // Every row ends with end of line and no end-of-picture code follows.
    EXPECT_TRUE(decode(buildBMP(rle8(std::string(6, '\0')))).ok);
}

TEST(BMPDecode, RunLengthCodesThatLeaveThePictureAreRefused)
{
    const std::string bad[] = {
        "\x05\x01"s,                          // a run longer than the row
        "\x03\x01\x00\x03\x01\x02\x03\x00"s,  // a literal past the row end
        "\x00\x02\x05\x00"s,                  // a jump past the right edge
        "\x00\x02\x00\x04"s,                  // a jump past the top
        "\x00\x00\x00\x00\x00\x00\x01\x01"s,  // pixels above the top row
        "\x00\x05\x01\x02"s,                  // a literal count past the data
        "\x02\x01\x00"s,                      // cut inside a code
        "\x02\x01\x00\x00"s,                  // ends before the picture does
    };
    for (const std::string& codes : bad) {
        const Picture p = decode(buildBMP(rle8(codes)));
        EXPECT_FALSE(p.ok) << testing::PrintToString(codes);
        EXPECT_FALSE(p.error.empty());
    }
}

TEST(BMPDecode, SizesPastTheLimitsAreRefusedWithoutLookingFurther)
{
    Layout s;
    const std::pair<int, int> sizes[] = {
        {ovek::Image::kMaxSide + 1, 1}, {20000, 20000}, {0, 5}, {-3, 5}, {5, 0}, {1, INT32_MIN}};
    for (auto [w, h] : sizes) {
        s.width = w;
        s.height = h;
        const Picture p = decode(buildBMP(s));
        EXPECT_FALSE(p.ok) << w << " x " << h;
        EXPECT_FALSE(p.error.empty());
    }
}

// Decodes every prefix of the file: each either fails with a reason and leaves
// the image alone, or gives the whole file's picture.
void expectEveryCutFailsCleanly(const std::string& file)
{
    const Picture whole = decode(file);
    ASSERT_TRUE(whole.ok) << whole.error;
    ovek::Image img(nullptr, 2, 1);
    img.setColor(1, 0, 1, 2, 3);
    for (size_t len = 0; len < file.size(); ++len) {
        const ovek::FileResult r =
            ovek::decodeBMP(reinterpret_cast<const uint8_t*>(file.data()), len, img);
        if (r) {
            ASSERT_EQ(decode(file.substr(0, len)).rgb, whole.rgb) << "cut at " << len;
            img.setSize(2, 1);
            img.setColor(1, 0, 1, 2, 3);
            continue;
        }
        ASSERT_FALSE(r.error.empty());
        ASSERT_EQ(img.getWidth(), 2) << "cut at " << len;
        ASSERT_EQ(img.getColor(1, 0), 0x030201) << "cut at " << len;
    }
    EXPECT_EQ(decode(file + '\x01').rgb, whole.rgb) << "a trailing byte changes nothing";
}

TEST(BMPDecode, EveryCutOfAFileFailsCleanlyOrKeepsTheWholePicture)
{
    Layout s;
    s.width = 3;
    s.height = 2;
    s.pixels = std::string(24, '\x7f');
    expectEveryCutFailsCleanly(buildBMP(s));
    expectEveryCutFailsCleanly(buildBMP(rle8(kRle8Codes)));
    SKIP_WITHOUT_CORPUS(dir, "bmp");
    for (const char* name : {"good/pal1.bmp", "good/pal4rle.bmp", "good/pal8os2.bmp",
                             "good/rgb16-565.bmp", "questionable/rgb24rle24.bmp",
                             "questionable/rgba32h56.bmp", "x/ba-bm.bmp"})
        expectEveryCutFailsCleanly(testutil::readFile(dir + "/" + name));
}

TEST(BMPDecode, CorruptedHeaderBytesNeverCrashOrOverrun)
{
    Layout s;
    s.width = 4;
    s.height = 2;
    s.bits = 4;
    s.palette = kFourColours;
    s.pixels = std::string(8, '\x21');
    const std::string file = buildBMP(s);
    for (size_t at = 0; at < 54 + 16; ++at) {
        for (char value : {'\0', '\x01', '\x7f', '\x80', '\xff'}) {
            std::string damaged = file;
            damaged[at] = value;
            const Picture p = decode(damaged);
            EXPECT_TRUE(p.ok || !p.error.empty()) << at;
        }
    }
}

TEST(BMPDecode, CountsBumpedPastTheDataAreRefused)
{
    Layout s;
    s.width = 2;
    s.height = 2;
    s.pixels = std::string(16, '\x10');
    const std::string file = buildBMP(s);
    auto with = [&](size_t at, uint32_t value) {
        return decode(file.substr(0, at) + le32(value) + file.substr(at + 4));
    };
    EXPECT_TRUE(with(18, 2).ok);
    EXPECT_FALSE(with(18, 3).ok) << "one more column than stored";
    EXPECT_FALSE(with(22, 3).ok) << "one more row than stored";
    EXPECT_FALSE(with(10, uint32_t(file.size()) + 1).ok) << "pixel data past the end";
    EXPECT_FALSE(with(10, 20).ok) << "pixel data inside the header";
    EXPECT_FALSE(with(46, 0x40000000).ok) << "colour table larger than the file";
    EXPECT_FALSE(with(14, 64).ok) << "information header larger than the file";
}

}  // namespace
