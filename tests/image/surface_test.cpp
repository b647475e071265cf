#include <gtest/gtest.h>

#include "image/image.h"

using ovek::Image;
using ovek::PixelSurface;

namespace {

// A 4 x 3 image whose pixel (x, y) has blue x and green y.
std::unique_ptr<Image> gradient(PixelSurface* target)
{
    auto img = std::make_unique<Image>(target, 4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            img->setColor(x, y, x, y, 0);
    return img;
}

TEST(Paint, CopiesAtThePositionAndClipsAtTheEdges)
{
    PixelSurface screen(6, 4);
    auto img = gradient(&screen);
    img->setPosition(3, 2);
    img->paint();
    EXPECT_EQ(screen.get(3, 2), ovek::rgb(0, 0, 0));
    EXPECT_EQ(screen.get(5, 3), ovek::rgb(0, 1, 2));
    EXPECT_EQ(screen.get(2, 2), 0u);
    PixelSurface other(6, 4);
    img->setHDC(&other);
    img->paint(-1, -1, 3, 3, 1, 0);  // source (1, 0), partly off the target
    EXPECT_EQ(other.get(0, 0), ovek::rgb(0, 1, 2));
    EXPECT_EQ(other.get(1, 1), ovek::rgb(0, 2, 3));
    EXPECT_EQ(other.get(2, 2), 0u);
}

TEST(Paint, StretchScalesTheSourceRectangle)
{
    PixelSurface screen(8, 6);
    auto img = gradient(&screen);
    img->paint(0, 0, 8, 6, 0, 0, 4, 3);
    EXPECT_EQ(screen.get(0, 0), ovek::rgb(0, 0, 0));
    EXPECT_EQ(screen.get(1, 1), ovek::rgb(0, 0, 0));
    EXPECT_EQ(screen.get(2, 1), ovek::rgb(0, 0, 1));
    EXPECT_EQ(screen.get(7, 5), ovek::rgb(0, 2, 3));
    img->paint(0, 0, 2, 2, 0, 0, 4, 3);  // shrinking
    EXPECT_EQ(screen.get(1, 1), ovek::rgb(0, 1, 2));
    img->paint(0, 0, 0, 5, 0, 0, 4, 3);  // empty destination: nothing
    EXPECT_EQ(screen.get(1, 1), ovek::rgb(0, 1, 2));
}

TEST(Paint, SurfaceDrawingLastsUntilTheNextPixelWrite)
{
    PixelSurface screen(4, 3);
    auto img = gradient(&screen);
    img->refresh();
    EXPECT_TRUE(img->current);
    img->surface().set(0, 0, 0xFFFFFF);  // drawn directly, like Graphics does
    img->paint();
    EXPECT_EQ(screen.get(0, 0), 0xFFFFFFu) << "refresh of a current image keeps surface drawing";
    img->setColor(3, 2, 9, 9, 9);
    EXPECT_FALSE(img->current);
    img->paint();
    EXPECT_EQ(screen.get(0, 0), 0u) << "the buffer overwrites surface drawing after a write";
    EXPECT_EQ(screen.get(3, 2), ovek::rgb(9, 9, 9));
}

TEST(Paint, ResizeMakesTheSurfaceStale)
{
    PixelSurface screen(4, 4);
    Image img(&screen, 1, 1);
    img.setColor(0, 0, 0, 0, 255);
    img.refresh();
    img.setSize(2, 2);
    EXPECT_FALSE(img.current);
    img.setColor(1, 1, 255, 0, 0);
    img.setColor(0, 0, 0, 0, 0);
    img.setColor(1, 0, 0, 0, 0);
    img.setColor(0, 1, 0, 0, 0);
    img.paint();
    EXPECT_EQ(screen.get(1, 1), ovek::rgb(0, 0, 255));
    EXPECT_EQ(screen.get(0, 0), 0u);
}

TEST(Paint, ChildImagesStillReachTheParentSurfaceAfterItIsResized)
{
    Image parent(nullptr, 2, 2);
    std::unique_ptr<Image> child(parent.createImage(0, 0, 1, 1));
    parent.setSize(6, 4);
    parent.refresh();
    child->setColor(0, 0, 0, 0, 255);
    child->paint(5, 3);
    EXPECT_EQ(parent.surface().get(5, 3), 0u) << "paint(w, h) places the image at its position";
    child->paint(5, 3, 1, 1);
    EXPECT_EQ(parent.surface().get(5, 3), ovek::rgb(255, 0, 0));
}

TEST(Surface, CopyWithinOneSurfaceReadsTheOriginal)
{
    PixelSurface s(4, 1);
    for (int i = 0; i < 4; ++i)
        s.set(i, 0, uint32_t(i + 1));
    s.copy(s, 1, 0, 3, 1, 0, 0);
    EXPECT_EQ(s.pixels, (std::vector<uint32_t>{1, 1, 2, 3}));
    s.fillRect(-5, -5, 2, 9, 7);
    EXPECT_EQ(s.pixels, (std::vector<uint32_t>{7, 7, 2, 3}));
}

}  // namespace
