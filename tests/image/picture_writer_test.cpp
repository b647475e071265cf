// The writers: each file read back by ImageMagick to the picture written, and
// rows handed over in any order written exactly as the whole picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "image/picture_writer.h"
#include "tests/image/picture_test_util.h"

namespace {

using namespace picturetest;
using ovek::PictureFormat;

// Random pixels where exactness matters, smooth ones for JPEG.
void fill(ovek::Image& img, bool smooth, uint32_t seed)
{
    std::mt19937 random(seed);
    for (int y = 0; y < img.getHeight(); ++y)
        for (int x = 0; x < img.getWidth(); ++x) {
            if (smooth)
                img.setColor(x, y, x * 4, y * 5, (x + y) * 2);
            else
                img.setColor(x, y, int(random()), int(random()), int(random()));
        }
}

std::vector<uint32_t> colours(const ovek::Image& img)
{
    std::vector<uint32_t> out;
    for (int y = 0; y < img.getHeight(); ++y)
        for (int x = 0; x < img.getWidth(); ++x)
            out.push_back(uint32_t(img.getColor(x, y)));
    return out;
}

TEST(PictureWriter, EachFormatReadsBackThroughImageMagickAsWritten)
{
    testutil::TempDir dir;
    struct Case {
        PictureFormat format;
        const char* name;
        bool smooth;
        int tolerance;  // JPEG at quality 95 on smooth colours
    };
    for (const Case c : {Case{PictureFormat::PNG, "a.png", false, 0},
                         Case{PictureFormat::PPM, "a.ppm", false, 0},
                         Case{PictureFormat::BMP, "a.bmp", false, 0},
                         Case{PictureFormat::JPEG, "a.jpg", true, 4}}) {
        ovek::Image img(nullptr, 37, 23);
        fill(img, c.smooth, 7);
        ASSERT_TRUE(ovek::writePictureFile(img, c.format, dir.file(c.name))) << c.name;
        ASSERT_TRUE(magick(dir.file(c.name) + " -depth 8 " + dir.file("back.ppm"))) << c.name;
        const Read theirs = readFile(dir.file("back.ppm")), ours = readFile(dir.file(c.name));
        ASSERT_TRUE(theirs.result) << c.name;
        ASSERT_EQ(theirs.width, 37);
        ASSERT_EQ(theirs.height, 23);
        EXPECT_LE(worstChannel(theirs.rgb, colours(img)), c.tolerance) << c.name;
        EXPECT_LE(worstChannel(ours.rgb, theirs.rgb), c.format == PictureFormat::JPEG) << c.name;
    }
}

// Hands the rows over in runs as the depth production does: from the middle
// upwards, then downwards, each run of random length.
bool scrambled(const ovek::Image& img, ovek::RowSink& sink, uint32_t seed)
{
    std::mt19937 random(seed);
    const int h = img.getHeight(), split = h / 2 + 1;
    auto row = [&](int y) { return &img.pixels[size_t(h - 1 - y) * size_t(img.stride)]; };
    // Rows are stored bottom-up: a run read upwards has a negative step.
    const std::ptrdiff_t step = -std::ptrdiff_t(img.stride);
    for (int last = split - 1; last >= 0;) {
        const int count = std::min(last + 1, 1 + int(random() % 9));
        if (!sink.putRows(last - count + 1, count, row(last - count + 1), step))
            return false;
        last -= count;
    }
    for (int first = split; first < h;) {
        const int count = std::min(h - first, 1 + int(random() % 9));
        if (!sink.putRows(first, count, row(first), step))
            return false;
        first += count;
    }
    return true;
}

TEST(PictureWriter, RowsInAnyOrderWriteTheSameFileAsTheWholePicture)
{
    testutil::TempDir dir;
    ovek::Image img(nullptr, 41, 57);
    fill(img, false, 3);
    for (PictureFormat format :
         {PictureFormat::PNG, PictureFormat::JPEG, PictureFormat::PPM, PictureFormat::BMP}) {
        ASSERT_TRUE(ovek::writePictureFile(img, format, dir.file("whole")));
        for (uint32_t seed : {1u, 2u, 3u}) {
            ASSERT_TRUE(ovek::writePictureRows(dir.file("rows"), format, img.width, img.height,
                                               [&](ovek::RowSink& s) { return scrambled(img, s, seed); }))
                << ovek::pictureFormatName(format);
            EXPECT_EQ(testutil::readFile(dir.file("rows")), testutil::readFile(dir.file("whole")))
                << ovek::pictureFormatName(format) << " seed " << seed;
        }
    }
}

TEST(PictureWriter, RowsMissingOrGivenTwiceLeaveTheOldFile)
{
    testutil::TempDir dir;
    ovek::Image img(nullptr, 8, 6);
    fill(img, false, 5);
    const std::string path = dir.file("out");
    auto rowOf = [&](int y) { return &img.pixels[size_t(5 - y) * size_t(img.stride)]; };
    for (PictureFormat format : {PictureFormat::PNG, PictureFormat::JPEG, PictureFormat::PPM}) {
        testutil::writeFile(path, "precious");
        auto allBut = [&](int skipped) {
            return [&, skipped](ovek::RowSink& s) {
                for (int y = 5; y >= 0; --y)
                    if (y != skipped && !s.putRows(y, 1, rowOf(y), 0))
                        return false;
                return true;
            };
        };
        EXPECT_FALSE(ovek::writePictureRows(path, format, 8, 6, allBut(0)));
        EXPECT_FALSE(ovek::writePictureRows(path, format, 8, 6, allBut(3)));
        auto twice = [&](ovek::RowSink& s) {
            return s.putRows(4, 2, rowOf(4), -img.stride) && s.putRows(5, 1, rowOf(5), 0);
        };
        EXPECT_FALSE(ovek::writePictureRows(path, format, 8, 6, twice));
        auto outside = [&](ovek::RowSink& s) { return s.putRows(5, 2, rowOf(5), 0); };
        EXPECT_FALSE(ovek::writePictureRows(path, format, 8, 6, outside));
        EXPECT_EQ(testutil::readFile(path), "precious") << ovek::pictureFormatName(format);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}

}  // namespace
