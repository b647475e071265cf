#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

#include "tests/toolkit/fake_window_system.h"
#include "toolkit/image_component.h"
#include "toolkit/platform.h"
#include "toolkit/window_cells.h"

using Copy = faketk::RecordingSurface::Copy;
using Copies = std::vector<Copy>;

namespace {

class PlatformFlush : public ::testing::Test {
protected:
    void SetUp() override { platform.init(&windows, 866, 592); }
    Copies flushed()
    {
        windows.window.copies.clear();
        platform.repaint();
        platform.flush();
        return windows.window.copies;
    }
    faketk::FakeWindowSystem windows;
    ovek::Platform platform;
};

TEST_F(PlatformFlush, WithoutEmptyComponentsCopiesOneOverlappingCell)
{
    EXPECT_EQ(flushed(), (Copies{{0, 0, 867, 593, 0, 0}}));
}

TEST_F(PlatformFlush, LeavesAVisiblePaneAloneAndCopiesTheStripsAroundIt)
{
    ovek::Component pane;
    pane.setBounds(0, 38, 861, 490);
    platform.addEmptyComponent(&pane);
    // Columns 0..0, 0..861, 861..866; rows 0..38, 38..528, 528..592 (the
    // zero-width first column still copies one pixel).
    const Copies around{{0, 0, 1, 39, 0, 0},       {0, 528, 1, 65, 0, 528},
                        {0, 0, 862, 39, 0, 0},     {0, 528, 862, 65, 0, 528},
                        {861, 0, 6, 39, 861, 0},   {861, 38, 6, 491, 861, 38},
                        {861, 528, 6, 65, 861, 528}};
    EXPECT_EQ(flushed(), around);

    pane.setVisible(false);
    EXPECT_EQ(flushed().size(), 9u);
}

TEST_F(PlatformFlush, DrawsOnlyWhenInitedAndAskedAndClearsTheRequest)
{
    ovek::Platform fresh;
    fresh.flush();   // not inited: nothing, no crash
    EXPECT_FALSE(fresh.isInited());

    EXPECT_TRUE(platform.needRepaint);
    windows.window.copies.clear();
    platform.flush();
    EXPECT_EQ(windows.window.copies.size(), 1u);
    EXPECT_FALSE(platform.needRepaint);
    platform.flush();
    EXPECT_EQ(windows.window.copies.size(), 1u);
}

TEST_F(PlatformFlush, PaintsTheTreeOverBlackIntoTheWindow)
{
    ovek::ImageComponent pane;
    std::unique_ptr<ovek::Image> img(platform.createImage(2, 2));
    img->setColor(0, 0, 9, 8, 7);
    pane.setImage(std::move(img));
    pane.setBounds(10, 20, 2, 2);
    platform.getRootComponent()->add(&pane);
    windows.window.fillRect(0, 0, 900, 700, 0xFFFFFF);
    flushed();
    EXPECT_EQ(windows.window.get(10, 20), 0x070809u);
    EXPECT_EQ(windows.window.get(11, 21), 0u);
    EXPECT_EQ(windows.window.get(865, 591), 0u);
    EXPECT_EQ(windows.window.get(866, 592), 0xFFFFFFu);   // outside the root
    platform.rootComponent.remove(&pane);
}

int boundsCalls = 0;
void countBounds(int, int, int, int, ovek::EventObject*) { ++boundsCalls; }

TEST(PlatformSize, NewBackBufferOnlyForANewSizeAndBoundsListenerOnChange)
{
    faketk::FakeWindowSystem windows;
    ovek::Platform platform;
    boundsCalls = 0;
    platform.rootComponent.boundsChangedListener = countBounds;
    platform.init(&windows, 866, 621);
    EXPECT_TRUE(platform.isInited());
    EXPECT_EQ(boundsCalls, 1);
    ovek::Image* first = platform.getRootImage();
    EXPECT_EQ(first->targetDC, &windows.window);
    platform.setSize(866, 621);
    EXPECT_EQ(platform.getRootImage(), first);
    EXPECT_EQ(boundsCalls, 1);
    platform.setSize(866, 592);
    EXPECT_EQ(boundsCalls, 2);
    EXPECT_EQ(platform.getRootImage()->height, 592);
    EXPECT_EQ(platform.getRootComponent()->height, 592);
    EXPECT_EQ(platform.getRootGraphics()->target, platform.getRootImage());
    // Absurd sizes leave an empty back buffer, not a crash.
    platform.setSize(-5, 1 << 30);
    EXPECT_EQ(platform.getRootImage()->width, 0);
    platform.repaint();
    platform.flush();
}

TEST(PlatformSize, ImagesMadeBeforeAResizeStillPaintOntoTheBackBuffer)
{
    faketk::FakeWindowSystem windows;
    ovek::Platform platform;
    platform.init(&windows, 866, 621);
    std::unique_ptr<ovek::Image> made(platform.createImage(2, 2));
    made->setColor(1, 1, 0x33, 0x22, 0x11);
    // The start-up order: images are loaded, then the platform is set up again
    // at its final size, and once more at the same size.
    platform.init(&windows, 866, 592);
    platform.setSize(400, 300);
    platform.init(&windows, 400, 300);
    ovek::Graphics onMade(made.get());
    onMade.flush();   // paints the image onto the surface it was made for
    EXPECT_EQ(platform.getRootImage()->surface().get(1, 1), 0x112233u);
    EXPECT_EQ(platform.getRootImage()->targetDC, &windows.window);
    EXPECT_EQ(platform.getRootGraphics()->target, platform.getRootImage());
}

TEST(PlatformImages, ImagesPaintOntoTheBackBufferOrNowhereBeforeInit)
{
    ovek::Platform platform;
    std::unique_ptr<ovek::Image> loose(platform.createImage(3, 4));
    EXPECT_EQ(loose->targetDC, nullptr);
    EXPECT_EQ(loose->height, 4);
    ovek::FileResult why;
    std::unique_ptr<ovek::Image> missing(platform.createImageFromBMP("/nonexistent/x.bmp", &why));
    EXPECT_FALSE(why.ok);
    EXPECT_EQ(missing->width, 1);
    std::unique_ptr<ovek::Image> none(platform.createImageFromBMP(nullptr));
    EXPECT_EQ(none->height, 1);

    faketk::FakeWindowSystem windows;
    platform.init(&windows, 10, 10);
    std::unique_ptr<ovek::Image> bound(platform.createImage(3, 4));
    EXPECT_EQ(bound->targetDC, &platform.getRootImage()->surface());
}

TEST(PlatformServices, DialogsTitleAndKeysGoThroughTheWindowSystem)
{
    faketk::FakeWindowSystem windows;
    ovek::Platform platform;
    EXPECT_EQ(platform.loadFile("A\0*.a\0"), nullptr);   // no window system yet
    EXPECT_EQ(platform.getAsyncKeyState(ovek::kKeyControl), 0);
    platform.init(&windows, 10, 10);

    windows.dialogAnswer = "/tmp/picture.bmp";
    const char* chosen = platform.loadFile("3DS Files(*.3ds)\0*.3ds\0BMP Files(*.bmp)\0*.bmp\0");
    ASSERT_NE(chosen, nullptr);
    EXPECT_STREQ(chosen, "/tmp/picture.bmp");
    ASSERT_EQ(windows.lastFilters.size(), 2u);
    EXPECT_EQ(windows.lastFilters[1].label, "BMP Files(*.bmp)");
    EXPECT_EQ(windows.lastFilters[1].pattern, "*.bmp");

    windows.dialogAnswer.clear();
    EXPECT_EQ(platform.saveFile("MOD Files(*.om)\0*.om\0"), nullptr);
    EXPECT_TRUE(platform.fileName.empty());
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"open", "save"}));

    platform.setTitle("busy");
    platform.setTitle(nullptr);
    EXPECT_EQ(windows.calls.back(), "title busy");

    windows.keysHeld.insert(ovek::kKeyShift);
    EXPECT_NE(platform.getAsyncKeyState(ovek::kKeyShift), 0);
    EXPECT_EQ(platform.getAsyncKeyState(ovek::kKeyAlt), 0);
}

TEST(PlatformServices, FilterListSplitsIntoPairsUpToTheEmptyString)
{
    EXPECT_TRUE(ovek::splitFilterList(nullptr).empty());
    EXPECT_TRUE(ovek::splitFilterList("").empty());
    const auto one = ovek::splitFilterList("Label only\0");
    EXPECT_TRUE(one.empty());
    const auto three = ovek::splitFilterList("a\0*.a\0b\0*.b\0c\0*.c\0\0ignored\0*.x\0");
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[2].label, "c");
    EXPECT_EQ(three[2].pattern, "*.c");
}

TEST(PlatformToolTip, BalanceWithinOneBracketDecidesRemoval)
{
    faketk::FakeWindowSystem windows;
    ovek::Platform platform;
    platform.init(&windows, 10, 10);
    platform.eventBegin();
    platform.showToolTip("one");
    platform.eventEnd();
    EXPECT_TRUE(windows.tooltipOpen);
    // Leave one, enter another in the same record: kept, replaced.
    platform.eventBegin();
    platform.showToolTip("");
    platform.showToolTip("two");
    platform.eventEnd();
    EXPECT_TRUE(windows.tooltipOpen);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"tip+ one", "tip-", "tip+ two"}));
    platform.eventBegin();
    platform.showToolTip(nullptr);
    platform.eventEnd();
    EXPECT_FALSE(windows.tooltipOpen);
    // Nothing to remove: no call.
    platform.eventBegin();
    platform.showToolTip("");
    platform.eventEnd();
    EXPECT_EQ(windows.calls.size(), 4u);
}

TEST(WindowCells, SortingAndSizesSurviveExtremeBounds)
{
    int values[] = {INT_MAX, 3, INT_MIN, -1, 0};
    std::qsort(values, 5, sizeof(int), ovek::intCompare);
    EXPECT_EQ(values[0], INT_MIN);
    EXPECT_EQ(values[1], -1);
    EXPECT_EQ(values[4], INT_MAX);

    ovek::Component far;
    far.setBounds(INT_MAX - 5, INT_MIN, INT_MAX, INT_MAX);
    const auto cells = ovek::windowCells(100, 50, {&far});
    EXPECT_EQ(cells.size(), 8u);   // of 3 x 3: the corner cell of the component is left alone
    for (const ovek::WindowCell& c : cells) {
        EXPECT_FALSE(c.x == INT_MAX - 5 && c.y == INT_MIN);
        EXPECT_GE(c.width, 1);
        EXPECT_GE(c.height, 1);
    }
}

}  // namespace
