#include <gtest/gtest.h>

#include <cmath>

#include "animation/colour_palette.h"
#include "image/image.h"

namespace {

using namespace ovek;

TEST(ColourPalette, FewColoursAreKeptExactly)
{
    Image img(nullptr, 30, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            img.setColor(x, y, (x % 8) * 37, (y % 8) * 11, (x + y) % 3);   // 192 colours at most
    const ColourPalette palette = paletteOf(img);
    ASSERT_LE(palette.colours.size(), 256u);
    std::vector<uint8_t> indices;
    for (bool ordered : {false, true}) {
        indexPixels(img, palette, ordered, indices);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x) {
                const auto& c = palette.colours[indices[size_t(y * 30 + x)]];
                EXPECT_EQ((c[0] << 16) | (c[1] << 8) | c[2], img.getColor(x, y));
            }
    }
}

TEST(ColourPalette, ManyColoursGetAtMost256CloseOnes)
{
    Image img(nullptr, 256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            img.setColor(x, y, x, y, (x ^ y));
    const ColourPalette palette = paletteOf(img);
    EXPECT_EQ(palette.colours.size(), 256u);
    std::vector<uint8_t> indices;
    indexPixels(img, palette, false, indices);
    double squared = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const auto& c = palette.colours[indices[size_t(y * 256 + x)]];
            const int v = img.getColor(x, y);
            for (int a = 0; a < 3; ++a) {
                const double d = c[size_t(a)] - ((v >> (16 - 8 * a)) & 255);
                squared += d * d;
            }
        }
    // 256 colours for 16.7 million: about 40 levels apart on each axis.
    EXPECT_LT(std::sqrt(squared / (256.0 * 256 * 3)), 16.0);
}

}  // namespace
