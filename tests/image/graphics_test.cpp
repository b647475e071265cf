#include <gtest/gtest.h>

#include <memory>

#include "image/graphics.h"
#include "tests/image/recording_surface.h"

using ovek::Graphics;
using ovek::Image;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

TEST(GraphicsFill, FillsInsideOutlinesInBlackAndExcludesFarEdges)
{
    Image target(nullptr, 12, 10);
    Graphics g(&target);
    g.transform(2, 1);
    g.setColor(0x112, 0x34, 0x56);   // only the low bytes count
    g.fillRect(1, 1, 5, 4);          // pixels 3..7 x 2..5
    const ovek::PixelSurface& s = target.surface();
    EXPECT_EQ(s.get(4, 3), 0x123456u);
    EXPECT_EQ(s.get(6, 4), 0x123456u);
    for (int x = 3; x <= 7; ++x) {
        EXPECT_EQ(s.get(x, 2), 0u);
        EXPECT_EQ(s.get(x, 5), 0u);
    }
    EXPECT_EQ(s.get(3, 3), 0u);
    EXPECT_EQ(s.get(7, 3), 0u);
    // Outside the rectangle nothing changed; the surface starts black, so
    // check with a white fill around it.
    Graphics around(&target);
    around.fillRect(8, 0, 4, 10);    // no colour set: white brush
    EXPECT_EQ(s.get(9, 3), kWhite);
    EXPECT_EQ(s.get(8, 3), 0u);      // its own outline
}

TEST(GraphicsFill, EmptyAndOffSurfaceRectanglesAreHarmless)
{
    Image target(nullptr, 4, 4);
    Graphics g(&target);
    g.setColor(255, 255, 255);
    g.fillRect(1, 1, 0, 3);
    g.fillRect(1, 1, -3, 3);
    g.fillRect(-100, -100, 50, 50);
    g.fillRect(2147483000, 2147483000, 2000, 2000);
    for (uint32_t p : target.surface().pixels)
        EXPECT_EQ(p, 0u);
    g.fillRect(-10, -10, 30, 30);    // covers all, its outline lies outside
    for (uint32_t p : target.surface().pixels)
        EXPECT_EQ(p, kWhite);
}

std::unique_ptr<Image> checker(int w, int h)
{
    auto img = std::make_unique<Image>(nullptr, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img->setColor(x, y, (x + y) % 2 ? 255 : 0, 0, y * 10);
    return img;
}

TEST(GraphicsImages, DrawImageCopiesUnscaledAtTheTranslatedPointAndRetargets)
{
    Image target(nullptr, 10, 10);
    Graphics g(&target);
    auto img = checker(3, 2);
    g.transform(4, 5);
    g.drawImage(1, 1, img.get());
    EXPECT_EQ(img->targetDC, &target.surface());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(target.surface().get(5 + x, 6 + y), uint32_t(img->getColor(x, y)));
    EXPECT_EQ(target.surface().get(8, 6), 0u);
    // A changed pixel buffer is uploaded before the next copy.
    img->setColor(0, 0, 1, 2, 3);
    g.drawImage(1, 1, img.get());
    EXPECT_EQ(target.surface().get(5, 6), 0x030201u);
}

TEST(GraphicsImages, DrawImageScaledStretchesTheWholeImage)
{
    Image target(nullptr, 10, 10);
    Graphics g(&target);
    auto img = checker(2, 2);
    g.drawImage(2, 2, 4, 6, img.get());
    const ovek::PixelSurface& s = target.surface();
    EXPECT_EQ(s.get(2, 2), uint32_t(img->getColor(0, 0)));
    EXPECT_EQ(s.get(5, 2), uint32_t(img->getColor(1, 0)));
    EXPECT_EQ(s.get(5, 7), uint32_t(img->getColor(1, 1)));
    EXPECT_EQ(s.get(6, 2), 0u);
    EXPECT_EQ(s.get(2, 8), 0u);
}

TEST(GraphicsImages, CreateImageAndFlushPaintOntoTheRightSurfaces)
{
    faketk::RecordingSurface window(8, 8);
    Image target(&window, 4, 4);
    Graphics g(&target);
    std::unique_ptr<Image> made(g.createImage(2, 3));
    EXPECT_EQ(made->targetDC, &target.surface());
    EXPECT_EQ(made->width, 2);
    EXPECT_EQ(made->height, 3);
    target.refresh();   // otherwise the first paint uploads the buffer over the drawing
    g.setColor(0, 255, 0);
    g.fillRect(0, 0, 4, 4);
    g.flush();
    ASSERT_EQ(window.copies.size(), 1u);
    EXPECT_EQ(window.copies[0], (faketk::RecordingSurface::Copy{0, 0, 4, 4, 0, 0}));
    EXPECT_EQ(window.get(1, 1), 0x00FF00u);
}

TEST(GraphicsImages, KeepsDrawingAfterTheTargetWasResized)
{
    Image target(nullptr, 4, 4);
    Graphics g(&target);
    target.setSize(6, 6);   // remakes the surface
    g.setColor(255, 0, 0);
    g.fillRect(0, 0, 6, 6);
    EXPECT_EQ(target.surface().get(3, 3), 0xFF0000u);
}

TEST(GraphicsText, DrawsAsciiGlyphsInTheTextColourCellByCell)
{
    Image target(nullptr, 40, 12);
    Graphics g(&target);
    g.setColor(0, 0, 255);
    g.transform(1, 2);
    g.drawString("I\x80I", 2, 1);   // the non-ASCII byte only advances
    const ovek::PixelSurface& s = target.surface();
    // 'I': a full middle column, bars at the top and bottom.
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(s.get(3 + 2, 3 + row), 0x0000FFu) << row;
    EXPECT_EQ(s.get(3 + 1, 3), 0x0000FFu);
    EXPECT_EQ(s.get(3 + 1, 4), 0u);
    EXPECT_EQ(s.get(3 + 0, 3), 0u);
    int lit = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 3 + Graphics::kGlyphAdvance; x < 3 + 2 * Graphics::kGlyphAdvance; ++x)
            lit += s.get(x, y) != 0;
    EXPECT_EQ(lit, 0);
    EXPECT_EQ(s.get(3 + 2 * Graphics::kGlyphAdvance + 2, 3), 0x0000FFu);
    g.drawString(nullptr, 0, 0);
    g.drawString("far away", 1000, -1000);
}

TEST(GraphicsText, DistinctLettersDrawDistinctShapes)
{
    auto shape = [](const char* text) {
        Image target(nullptr, 6, 8);
        Graphics g(&target);
        g.setColor(255, 255, 255);
        g.drawString(text, 0, 0);
        return target.surface().pixels;
    };
    const std::string all = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (size_t i = 0; i < all.size(); ++i) {
        const auto a = shape(all.substr(i, 1).c_str());
        EXPECT_NE(a, shape(" ")) << all[i];
        if (i + 1 < all.size()) {
            EXPECT_NE(a, shape(all.substr(i + 1, 1).c_str())) << all[i];
        }
    }
}

}  // namespace
