// The grey reader against the ordinary one: the same heights from every file
// the program reads, and the same reasons from every file it refuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "image/grey_picture.h"
#include "tests/image/bmp_test_util.h"

namespace {

// The file read both ways; "" when they agree.
std::string disagreement(const std::string& path)
{
    ovek::Image img(nullptr, 1, 1);
    const ovek::FileResult full = img.loadImage(path);
    ovek::GreyPicture grey;
    grey.width = -1;  // a failed read must leave it alone
    const ovek::FileResult streamed = ovek::loadGreyPicture(path, grey);
    if (full.ok != streamed.ok || full.error != streamed.error)
        return "'" + full.error + "' but '" + streamed.error + "'";
    if (!full)
        return grey.width == -1 ? "" : "a failed read changed the picture";
    const ovek::GreyPicture want = ovek::greyOf(img);
    if (grey.width != want.width || grey.height != want.height)
        return "sizes differ";
    return grey.values == want.values ? "" : "heights differ";
}

TEST(GreyPicture, EveryVariantCutShortReadsAsTheFullColourPicture)
{
    testutil::TempDir dir;
    const std::string path = dir.file("d.bmp");
    for (bmptest::Variant v : bmptest::kVariants) {
        const std::string bytes = bmptest::randomBMP(v, 13, 7, 11);
        // Every cut inside the headers, then some in the colour table and pixels.
        for (size_t cut = 0; cut <= bytes.size(); cut += cut < 72 ? 1 : 29) {
            testutil::writeFile(path, bytes.substr(0, cut));
            ASSERT_EQ(disagreement(path), "") << "variant " << int(v) << " cut at " << cut;
        }
        testutil::writeFile(path, bytes);
        ASSERT_EQ(disagreement(path), "") << "variant " << int(v) << " whole";
        testutil::writeFile(path, bytes.substr(0, bytes.size() - 1));
        ASSERT_EQ(disagreement(path), "") << "variant " << int(v) << " one byte short";
    }
    ovek::Image png(nullptr, 5, 3);
    png.setColor(4, 2, 255, 254, 255);
    ASSERT_TRUE(png.writePNGFile(dir.file("d.png")));
    EXPECT_EQ(disagreement(dir.file("d.png")), "");
    EXPECT_EQ(disagreement(dir.file("absent.bmp")), "");
    EXPECT_EQ(disagreement(dir.path().string()), "") << "a folder";
}

TEST(GreyPicture, EveryFileOfTheSharedCorpusReadsAsTheFullColourPicture)
{
    SKIP_WITHOUT_CORPUS(corpus, "bmp");
    int files = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(corpus)) {
        if (!e.is_regular_file())
            continue;
        ++files;
        EXPECT_EQ(disagreement(e.path().string()), "") << e.path();
    }
    EXPECT_GT(files, 50);
}

TEST(GreyPicture, HeightIsTheMeanOfTheThreeBytesRoundedDown)
{
    ovek::Image img(nullptr, 3, 1);
    img.setColor(0, 0, 255, 255, 254);
    img.setColor(1, 0, 0, 0, 255);
    img.setColor(2, 0, 1, 1, 0);
    EXPECT_EQ(ovek::greyOf(img).values, (std::vector<uint8_t>{254, 85, 0}));
}

}  // namespace
