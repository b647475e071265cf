// The BMP test suite in the shared corpus: which files decode, to what size,
// and whether their pixels agree with an independent decoder or with a twin
// file that stores the same picture another way.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/image/bmp_test_util.h"
#include "tests/image/picture_test_util.h"

namespace {

using bmptest::Picture;

// Refused on purpose: unsupported codings, and damage that leaves no sound picture.
const std::set<std::string> kRefused = {
    "bad/badbitcount.bmp",  "bad/badheadersize.bmp", "bad/badpalettesize.bmp",
    "bad/badplanes.bmp",    "bad/badrle.bmp",        "bad/badrle4.bmp",
    "bad/badrle4bis.bmp",   "bad/badrle4ter.bmp",    "bad/badrlebis.bmp",
    "bad/badrleter.bmp",    "bad/badwidth.bmp",      "bad/reallybig.bmp",
    "bad/rletopdown.bmp",   "bad/shortfile.bmp",     "questionable/pal1huffmsb.bmp",
    "questionable/rgb24jpeg.bmp", "questionable/rgb24png.bmp", "questionable/rgba64.bmp",
};

Picture decodeCorpus(const std::string& dir, const std::string& name)
{
    return bmptest::decode(testutil::readFile(dir + "/" + name));
}

// The independent decoder's picture (ImageMagick's), or ok = false when it
// refuses the file.
Picture reference(const std::string& path)
{
    testutil::TempDir dir;
    Picture p;
    if (!picturetest::magick("bmp:'" + path + "' -depth 8 " + dir.file("ref.ppm")))
        return p;
    const picturetest::Read r = picturetest::readFile(dir.file("ref.ppm"));
    p.ok = r.result.ok;
    p.width = r.width;
    p.height = r.height;
    p.rgb = r.rgb;
    return p;
}

// Largest difference of one channel between two pictures of the same size.
int maxChannelDifference(const Picture& a, const Picture& b)
{
    int worst = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            worst = std::max(worst, std::abs(int(a.rgb[i] >> shift & 255) - int(b.rgb[i] >> shift & 255)));
    return worst;
}

TEST(BMPCorpus, EveryFileDecodesToItsListedSizeOrIsRefusedWithAReason)
{
    SKIP_WITHOUT_CORPUS(dir, "bmp");
    std::istringstream manifest(testutil::readFile(dir + "/MANIFEST.tsv"));
    std::string line;
    std::getline(manifest, line);  // column names
    size_t files = 0, good = 0;
    while (std::getline(manifest, line)) {
        std::istringstream row(line);
        std::string name, kind, width, height;
        std::getline(row, name, '\t');
        std::getline(row, kind, '\t');
        std::getline(row, width, '\t');
        std::getline(row, height, '\t');
        const Picture p = decodeCorpus(dir, name);
        ++files;
        if (kRefused.count(name)) {
            EXPECT_FALSE(p.ok) << name;
            EXPECT_FALSE(p.error.empty()) << name;
            continue;
        }
        good += kind == "good";
        ASSERT_TRUE(p.ok) << name << ": " << p.error;
        EXPECT_EQ(p.width, std::stoi(width)) << name;
        EXPECT_EQ(p.height, std::stoi(height)) << name;
    }
    EXPECT_EQ(files, 91u);
    EXPECT_EQ(good, 27u) << "every good file decodes";
}

TEST(BMPCorpus, PixelsAgreeWithTheIndependentDecoderWhereItReadsTheFile)
{
    SKIP_WITHOUT_CORPUS(dir, "bmp");
    // It scales colour fields of other than 8 bits with another rounding, shows
    // the pixels a run-length code skips in another colour and reads an OS/2
    // colour table otherwise; each is checked against its twin below.
    const std::set<std::string> referenceWrong = {
        "questionable/rgb16-3103.bmp",    "questionable/rgb16-231.bmp",
        "questionable/rgba16-1924.bmp",   "questionable/rgba16-4444.bmp",
        "questionable/rgb32-7187.bmp",    "questionable/rgb32-111110.bmp",
        "questionable/rgba32-61754.bmp",  "questionable/rgba32-81284.bmp",
        "questionable/rgba32-1010102.bmp", "questionable/pal4rletrns.bmp",
        "questionable/pal8rletrns.bmp",   "questionable/pal8os2v2.bmp"};
    size_t compared = 0;
    for (const char* sub : {"good", "questionable", "bad"}) {
        for (const auto& e : std::filesystem::directory_iterator(dir + "/" + sub)) {
            const std::string name = std::string(sub) + "/" + e.path().filename().string();
            const std::string bytes = testutil::readFile(e.path().string());
            const Picture ref = reference(e.path().string()), ours = bmptest::decode(bytes);
            if (!ref.ok || referenceWrong.count(name) || kRefused.count(name))
                continue;
            ++compared;
            ASSERT_TRUE(ours.ok) << name << ": " << ours.error;
            ASSERT_EQ(ours.width, ref.width) << name;
            ASSERT_EQ(ours.height, ref.height) << name;
            EXPECT_EQ(maxChannelDifference(ours, ref), 0) << name;
        }
    }
    EXPECT_GE(compared, 40u);
}

TEST(BMPCorpus, FilesTheReferenceRefusesMatchATwinWithinTheirColourDepth)
{
    SKIP_WITHOUT_CORPUS(dir, "bmp");
    struct Twin {
        const char* file;
        const char* twin;   // the same picture stored another way
        int tolerance;      // largest channel difference the coarser depth explains
    };
    const Twin twins[] = {
        {"good/pal4rle.bmp", "good/pal4.bmp", 0},
        {"good/pal8rle.bmp", "good/pal8.bmp", 0},
        {"good/rgb16-565pal.bmp", "good/rgb16-565.bmp", 0},
        {"good/rgb24pal.bmp", "good/rgb24.bmp", 0},
        {"questionable/pal8offs.bmp", "good/pal8.bmp", 0},
        {"questionable/pal8oversizepal.bmp", "good/pal8.bmp", 0},
        {"questionable/pal8os2sp.bmp", "good/pal8.bmp", 0},
        {"questionable/pal8os2v2.bmp", "good/pal8.bmp", 0},
        {"questionable/pal8os2v2-16.bmp", "good/pal8.bmp", 0},
        {"questionable/pal8os2v2-sz.bmp", "good/pal8.bmp", 0},
        {"questionable/rgb24rle24.bmp", "good/pal8.bmp", 0},
        {"questionable/rgb24largepal.bmp", "good/rgb24.bmp", 0},
        {"questionable/rgb32h52.bmp", "good/rgb24.bmp", 0},
        {"questionable/rgba32abf.bmp", "questionable/rgba32-2.bmp", 0},
        {"questionable/rgba32h56.bmp", "questionable/rgba32-2.bmp", 0},
        {"x/ba-bm.bmp", "good/pal8os2.bmp", 0},
        {"questionable/rgb32-111110.bmp", "good/rgb24.bmp", 1},    // 10 bits
        {"questionable/rgb32-7187.bmp", "good/rgb24.bmp", 3},      // 7 bits
        {"questionable/rgba32-1010102.bmp", "questionable/rgba32-1.bmp", 1},
        {"questionable/rgba32-61754.bmp", "questionable/rgba32-1.bmp", 9},  // 5 bits
        {"questionable/rgba32-81284.bmp", "questionable/rgba32-1.bmp", 1},
        {"questionable/rgb16-3103.bmp", "good/rgb24.bmp", 37},     // 3 bits
        {"questionable/pal2.bmp", "good/pal4gs.bmp", 85},          // 4 grey levels
    };
    for (const Twin& t : twins) {
        const Picture a = decodeCorpus(dir, t.file), b = decodeCorpus(dir, t.twin);
        ASSERT_TRUE(a.ok && b.ok) << t.file << ": " << a.error;
        ASSERT_EQ(a.rgb.size(), b.rgb.size()) << t.file;
        EXPECT_LE(maxChannelDifference(a, b), t.tolerance) << t.file;
    }
}

TEST(BMPCorpus, PixelsRunLengthCodesSkipAreBlackAndTheOthersMatchTheUncompressedTwin)
{
    SKIP_WITHOUT_CORPUS(dir, "bmp");
    for (const char* depth : {"4", "8"}) {
        const Picture twin = decodeCorpus(dir, std::string("good/pal") + depth + ".bmp");
        for (const char* kind : {"rlecut", "rletrns"}) {
            const std::string name = std::string("questionable/pal") + depth + kind + ".bmp";
            const Picture p = decodeCorpus(dir, name);
            ASSERT_TRUE(p.ok) << name;
            size_t black = 0, same = 0;
            for (size_t i = 0; i < p.rgb.size(); ++i) {
                black += p.rgb[i] == 0 && twin.rgb[i] != 0;
                same += p.rgb[i] == twin.rgb[i];
            }
            EXPECT_EQ(black + same, p.rgb.size()) << name;
            EXPECT_GT(black, 100u) << name << " skips part of the picture";
        }
    }
}

TEST(BMPCorpus, ShortTablesAndEmptyMasksGiveWhatTheFileHolds)
{
    SKIP_WITHOUT_CORPUS(dir, "bmp");
    const Picture oneEntry = decodeCorpus(dir, "questionable/pal1p1.bmp");
    ASSERT_TRUE(oneEntry.ok);
    for (uint32_t c : oneEntry.rgb)
        ASSERT_EQ(c, 0x4040ffu);
    // Indices past its 101 entries show black.
    const Picture badIndex = decodeCorpus(dir, "bad/pal8badindex.bmp");
    ASSERT_TRUE(badIndex.ok);
    EXPECT_GT(std::count(badIndex.rgb.begin(), badIndex.rgb.end(), 0u), 100);
    // Blue comes from a mask with no bits.
    const Picture noBlue = decodeCorpus(dir, "bad/rgb16-880.bmp");
    ASSERT_TRUE(noBlue.ok);
    for (uint32_t c : noBlue.rgb)
        ASSERT_EQ(c & 255, 0u);
}

}  // namespace
