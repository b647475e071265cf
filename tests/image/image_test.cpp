#include <gtest/gtest.h>

#include <sys/stat.h>

#include <thread>

#include "image/bmp_row_writer.h"
#include "image/image.h"
#include "tests/test_util.h"

using ovek::Image;

namespace {

uint32_t le32(const std::string& s, size_t at)
{
    return uint8_t(s[at]) | uint8_t(s[at + 1]) << 8 | uint8_t(s[at + 2]) << 16 |
           uint32_t(uint8_t(s[at + 3])) << 24;
}

TEST(Image, StrideRoundsThreeBytesPerPixelUpToFour)
{
    EXPECT_EQ(Image::strideFor(1), 4);
    EXPECT_EQ(Image::strideFor(2), 8);
    EXPECT_EQ(Image::strideFor(4), 12);
    EXPECT_EQ(Image::strideFor(5), 16);
    Image img(nullptr, 5, 2);
    EXPECT_EQ(img.stride, 16);
    EXPECT_EQ(img.pixels.size(), 32u);
}

TEST(Image, SetColorKeepsLowEightBitsInMemoryOrder)
{
    Image img(nullptr, 3, 2);
    img.setColor(0, 0, 300, -1, 256);
    // Pixel (0, 0) is the top-left corner: the last buffer row.
    const uint8_t* p = &img.pixels[size_t(img.stride)];
    EXPECT_EQ(p[0], 44);
    EXPECT_EQ(p[1], 255);
    EXPECT_EQ(p[2], 0);
    EXPECT_EQ(img.getColor(0, 0), 255 * 256 + 44);
}

TEST(Image, OutOfRangePixelsAreIgnoredAndReadAsZero)
{
    Image img(nullptr, 2, 2);
    img.setColor(0, 0, 1, 2, 3);
    img.setColor(1, 1, 1, 2, 3);
    img.current = true;
    const std::vector<uint8_t> before = img.pixels;
    img.setPixel(2, 0, 9, 9, 9);
    img.setPixel(0, -1, 9, 9, 9);
    img.setColor(-1, 0, 9, 9, 9);
    img.setColor(0, 2, 9, 9, 9);
    EXPECT_EQ(img.pixels, before);
    EXPECT_TRUE(img.current) << "an ignored write must not mark the image changed";
    EXPECT_EQ(img.getColor(-1, 0), 0);
    EXPECT_EQ(img.getColor(0, 2), 0);
    EXPECT_EQ(img.getColor(2, 0), 0);
    EXPECT_EQ(img.getColor(1, 1), 3 * 65536 + 2 * 256 + 1);
}

TEST(Image, RefusedSizesGiveAnEmptyImage)
{
    Image img(nullptr, 4, 4);
    EXPECT_FALSE(img.setSize(-1, 5));
    EXPECT_EQ(img.getWidth(), 0);
    EXPECT_FALSE(img.setSize(Image::kMaxSide + 1, 1));
    EXPECT_FALSE(img.setSize(20000, 20000));  // more than 2^28 pixels
    EXPECT_EQ(img.pixels.size(), 0u);
    EXPECT_TRUE(img.setSize(0, 0));
    img.setColor(0, 0, 1, 1, 1);  // nothing to write, nothing to crash
    EXPECT_EQ(img.getColor(0, 0), 0);
}

TEST(Image, CreateImageTakesYFirstAndPaintsOntoTheParentSurface)
{
    Image parent(nullptr, 8, 8);
    std::unique_ptr<Image> child(parent.createImage(3, 5, 2, 1));
    EXPECT_EQ(child->x, 5);
    EXPECT_EQ(child->y, 3);
    EXPECT_EQ(child->targetDC, &parent.surface());
}

TEST(BMPFile, FiveByTwoHeaderAndPadding)
{
    testutil::TempDir dir;
    Image img(nullptr, 5, 2);
    std::fill(img.pixels.begin(), img.pixels.end(), 0xAB);  // padding too
    ASSERT_TRUE(img.writeBMPFile(dir.file("a.bmp")));
    const std::string f = testutil::readFile(dir.file("a.bmp"));
    ASSERT_EQ(f.size(), 86u);
    EXPECT_EQ(f.substr(0, 2), "BM");
    EXPECT_EQ(le32(f, 2), 86u);
    EXPECT_EQ(le32(f, 6), 0u);
    EXPECT_EQ(le32(f, 10), 54u);
    EXPECT_EQ(le32(f, 14), 40u);
    EXPECT_EQ(le32(f, 18), 5u);
    EXPECT_EQ(le32(f, 22), 2u);
    EXPECT_EQ(le32(f, 26), 1u | 24u << 16);  // planes, bits per pixel
    EXPECT_EQ(le32(f, 30), 0u);
    EXPECT_EQ(le32(f, 34), 32u);
    for (size_t at = 38; at < 54; at += 4)
        EXPECT_EQ(le32(f, at), 0u);
    for (size_t row = 0; row < 2; ++row)
        EXPECT_EQ(f.substr(54 + row * 16 + 15, 1), std::string(1, '\0')) << "padding is zero";
}

TEST(BMPFile, OneByOneHoldsPixelThenPadding)
{
    testutil::TempDir dir;
    Image img(nullptr, 1, 1);
    img.setColor(0, 0, 10, 20, 30);
    EXPECT_EQ(img.getColor(0, 0), 30 * 65536 + 20 * 256 + 10);
    ASSERT_TRUE(img.writeBMPFile(dir.file("p.bmp")));
    EXPECT_EQ(testutil::readFile(dir.file("p.bmp")).substr(50), std::string("\0\0\0\0\x0a\x14\x1e\0", 8));
}

TEST(BMPFile, TopLeftPixelIsInTheLastFileRow)
{
    testutil::TempDir dir;
    Image img(nullptr, 2, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            img.setColor(x, y, 0, 0, 0);
    img.setColor(0, 0, 7, 8, 9);
    ASSERT_TRUE(img.writeBMPFile(dir.file("t.bmp")));
    const std::string f = testutil::readFile(dir.file("t.bmp"));
    EXPECT_EQ(f.substr(54 + 2 * 8, 3), "\x07\x08\x09");
}

TEST(BMPFile, WriteThenLoadGivesTheSamePicture)
{
    testutil::TempDir dir;
    Image img(nullptr, 7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            img.setColor(x, y, x * 30, y * 50, x * y * 7);
    ASSERT_TRUE(img.writeBMPFile(dir.file("r.bmp")));
    Image back(nullptr, 1, 1);
    ASSERT_TRUE(back.loadImage(dir.file("r.bmp")));
    ASSERT_EQ(back.getWidth(), 7);
    ASSERT_EQ(back.getHeight(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(back.getColor(x, y), img.getColor(x, y)) << x << "," << y;
}

TEST(BMPFile, FailedWriteKeepsTheOldFileAndLeavesNoTemporary)
{
    testutil::TempDir dir;
    Image img(nullptr, 2, 2);
    EXPECT_FALSE(img.writeBMPFile(dir.file("missing-folder/x.bmp")));
    const std::string target = dir.file("keep.bmp");
    testutil::writeFile(target, "old content");
    // A folder where the file should go cannot be replaced by a file.
    std::filesystem::create_directory(dir.file("sub"));
    ovek::FileResult r = img.writeBMPFile(dir.file("sub"));
    EXPECT_FALSE(r);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(testutil::readFile(target), "old content");
    size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        files += e.is_regular_file();
    EXPECT_EQ(files, 1u) << "no temporary file may be left behind";
}

TEST(BMPFile, RowsHandedOverInAnyOrderMakeTheSameFileOnlyWhenAllArrive)
{
    testutil::TempDir dir;
    Image img(nullptr, 7, 5);  // 21 bytes a row, padded to 24
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            img.setColor(x, y, 30 * x, 40 * y, x + y);
    ASSERT_TRUE(img.writeBMPFile(dir.file("whole.bmp")));
    // Rows 3-4, then 0, then 1-2, each block top row first, 21 bytes apart.
    auto rows = [&](int y, int count) {
        std::string bytes;
        for (int k = 0; k < count; ++k)
            for (int x = 0; x < 7; ++x) {
                const int c = img.getColor(x, y + k);
                bytes += {char(c & 255), char(c >> 8 & 255), char(c >> 16)};
            }
        return bytes;
    };
    auto put = [&](ovek::RowSink& sink, int y, int count) {
        const std::string bytes = rows(y, count);
        return sink.putRows(y, count, reinterpret_cast<const uint8_t*>(bytes.data()), 21);
    };
    ASSERT_TRUE(ovek::writeBMPRows(dir.file("rows.bmp"), 7, 5, [&](ovek::RowSink& sink) {
        return put(sink, 3, 2) && put(sink, 0, 1) && put(sink, 1, 2);
    }));
    EXPECT_EQ(testutil::readFile(dir.file("rows.bmp")), testutil::readFile(dir.file("whole.bmp")));

    // A row missing, a producer that gives up, or rows past the picture: no file.
    EXPECT_FALSE(ovek::writeBMPRows(dir.file("x.bmp"), 7, 5, [&](ovek::RowSink& sink) {
        return put(sink, 0, 4);
    }));
    EXPECT_FALSE(ovek::writeBMPRows(dir.file("x.bmp"), 7, 5, [&](ovek::RowSink& sink) {
        return put(sink, 0, 5) && false;
    }));
    EXPECT_FALSE(ovek::writeBMPRows(dir.file("x.bmp"), 7, 5, [&](ovek::RowSink& sink) {
        return put(sink, 0, 5) && put(sink, 4, 2);
    }));
    size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        files += e.is_regular_file();
    EXPECT_EQ(files, 2u) << "no result and no temporary file";

    // A named pipe cannot seek: its rows are gathered, then written in order.
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    std::string piped;
    std::thread reader([&] { piped = testutil::readFile(dir.file("pipe")); });
    const bool written = bool(ovek::writeBMPRows(dir.file("pipe"), 7, 5, [&](ovek::RowSink& sink) {
        return put(sink, 3, 2) && put(sink, 0, 3);
    }));
    reader.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(piped, testutil::readFile(dir.file("whole.bmp")));
}

TEST(BMPFile, FailedLoadGivesOneBlackPixelAndAReason)
{
    testutil::TempDir dir;
    Image img(nullptr, 4, 4);
    ovek::FileResult r = img.loadImage(dir.file("nothing.bmp"));
    EXPECT_FALSE(r);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(img.getWidth(), 1);
    EXPECT_EQ(img.getHeight(), 1);
    EXPECT_EQ(img.getColor(0, 0), 0);
    testutil::writeFile(dir.file("text.bmp"), "this is not a picture");
    EXPECT_FALSE(img.loadImage(dir.file("text.bmp")));
}

TEST(PNGFile, WrittenPNGReadsBack)
{
    testutil::TempDir dir;
    Image img(nullptr, 3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            img.setColor(x, y, x * 80, y * 120, 200);
    ASSERT_TRUE(img.writePNGFile(dir.file("a.png")));
    Image back(nullptr, 1, 1);
    ASSERT_TRUE(back.loadImage(dir.file("a.png")));
    ASSERT_EQ(back.getWidth(), 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(back.getColor(x, y), img.getColor(x, y));
}

}  // namespace
