#include <gtest/gtest.h>

#include <memory>

#include "tests/test_util.h"
#include "tests/toolkit/platform_fixture.h"
#include "toolkit/image_button.h"
#include "toolkit/image_component.h"
#include "toolkit/select_image_button.h"
#include "toolkit/window_procedure.h"

using ovek::Image;
using ovek::MYPLAT;

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

int boundsFired = 0;
void countBounds(int, int, int, int, ovek::EventObject*) { ++boundsFired; }

using ImageComponentTest = faketk::PlatformTest;

TEST_F(ImageComponentTest, SetImageTakesTheImageSizeAndKeepsPosition)
{
    boundsFired = 0;
    ovek::ImageComponent pane;
    pane.boundsChangedListener = countBounds;
    pane.setBounds(5, 6, 0, 0);
    pane.setImage(std::unique_ptr<Image>(solid(3, 2, kRed)));
    EXPECT_EQ(boundsFired, 2);
    EXPECT_EQ(pane.left, 5);
    EXPECT_EQ(pane.top, 6);
    EXPECT_EQ(pane.width, 3);
    EXPECT_EQ(pane.height, 2);
    pane.setImage(std::unique_ptr<Image>(solid(3, 2, kBlue)));   // same size: no bounds change
    EXPECT_EQ(boundsFired, 2);
    EXPECT_EQ(pane.getImage()->getColor(0, 0), int(kBlue));   // the first one is freed (ASan)
    pane.setImage(nullptr);
    EXPECT_EQ(pane.getImage(), nullptr);
    EXPECT_EQ(pane.width, 3);
}

TEST_F(ImageComponentTest, LoadImageReadsThePictureAndLeavesBounds)
{
    testutil::TempDir dir;
    std::unique_ptr<Image> picture(solid(7, 5, kGreen));
    ASSERT_TRUE(picture->writeBMPFile(dir.file("p.bmp")));

    ovek::ImageComponent pane;
    pane.setBounds(1, 1, 2, 2);
    EXPECT_TRUE(pane.loadImage(dir.file("p.bmp").c_str()));
    ASSERT_NE(pane.getImage(), nullptr);
    EXPECT_EQ(pane.getImage()->width, 7);
    EXPECT_EQ(pane.getImage()->getColor(6, 4), int(kGreen));
    EXPECT_EQ(pane.width, 2);

    // A picture that cannot be read still replaces (and frees) the old one.
    const ovek::FileResult missing = pane.loadImage(dir.file("absent.bmp").c_str());
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
    ASSERT_NE(pane.getImage(), nullptr);
    EXPECT_EQ(pane.getImage()->width, 1);
}

TEST_F(ImageComponentTest, UnstretchedImageDrawsBeyondItsBoundsStretchedFillsThem)
{
    ovek::ImageComponent pane_;
    ovek::ImageComponent* pane = &pane_;
    pane->setImage(std::unique_ptr<Image>(solid(10, 10, kRed)));
    pane->setBounds(20, 30, 4, 4);
    MYPLAT.rootComponent.add(pane);
    EXPECT_EQ(backBuffer(29, 39), kRed);
    EXPECT_EQ(backBuffer(30, 40), 0u);
    EXPECT_EQ(backBuffer(19, 30), 0u);

    pane->setStretchModeOn(true);
    EXPECT_EQ(backBuffer(23, 33), kRed);
    EXPECT_EQ(backBuffer(24, 33), 0u);
}

class ImageButtonTest : public faketk::PlatformTest {
protected:
    void TearDown() override
    {
        faketk::PlatformTest::TearDown();
        delete out;
        delete up;
        delete down;
        delete dis;
    }
    // The colour the button shows, painted at the origin of a fresh surface.
    uint32_t shown(ovek::ImageButton& b)
    {
        Image target(nullptr, 2, 2);
        ovek::Graphics g(&target);
        b.paint(&g);
        return target.surface().get(0, 0);
    }
    Image* out = solid(2, 2, kRed);
    Image* up = solid(2, 2, kGreen);
    Image* down = solid(2, 2, kBlue);
    Image* dis = solid(2, 2, kWhite);
};

TEST_F(ImageButtonTest, OnlyOutAndUpImagesFillTheOtherSlotsInOrder)
{
    ovek::ImageButton b;
    b.setBounds(0, 0, 2, 2);
    b.setImageMouseOut(out);
    b.setImageMouseUp(up);
    EXPECT_EQ(b.imageDisabled, out);
    EXPECT_EQ(b.imageMouseDown, up);
    EXPECT_EQ(shown(b), kRed);
    b.fireMouseEvent(1, 1, 0, ovek::MOUSE_MOVE);
    EXPECT_EQ(shown(b), kGreen);
    b.fireMouseEvent(1, 1, 0, ovek::MOUSE_DOWN);
    EXPECT_EQ(b.state, ovek::ImageButton::STATE_PRESSED);
    EXPECT_EQ(shown(b), kGreen);   // the up image stands in for pressing
    b.setEnabled(false);
    EXPECT_EQ(shown(b), kRed);
}

TEST_F(ImageButtonTest, AllFourImagesEachShowInTheirStateAndRequestRepaints)
{
    ovek::ImageButton b;
    b.setBounds(0, 0, 2, 2);
    b.setImageMouseOut(out);
    b.setImageMouseUp(up);
    b.setImageDisabled(dis);
    b.setImageMouseDown(down);
    EXPECT_EQ(b.imageDisabled, dis);
    b.setDefaultImage(out);   // all set: nothing changes
    EXPECT_EQ(b.imageMouseDown, down);

    MYPLAT.needRepaint = false;
    b.fireMouseEvent(1, 1, 0, ovek::MOUSE_MOVE);
    EXPECT_TRUE(MYPLAT.needRepaint);
    MYPLAT.needRepaint = false;
    b.fireMouseEvent(1, 1, 0, ovek::MOUSE_DOWN);
    EXPECT_TRUE(MYPLAT.needRepaint);
    EXPECT_EQ(shown(b), kBlue);
    b.fireMouseEvent(1, 1, 0, ovek::MOUSE_UP);
    EXPECT_EQ(shown(b), kGreen);
    MYPLAT.needRepaint = false;
    b.fireMouseEvent(5, 5, 0, ovek::MOUSE_MOVE);
    EXPECT_TRUE(MYPLAT.needRepaint);
    EXPECT_EQ(shown(b), kRed);
    b.setEnabled(false);
    EXPECT_EQ(shown(b), kWhite);
}

TEST_F(ImageButtonTest, TooltipKeptFromButtonToButtonRemovedOverEmptySpace)
{
    char openTip[] = "\xb4\xf2\xbf\xaa";   // the tips are GBK bytes
    char saveTip[] = "\xb1\xa3\xb4\xe6";
    ovek::ImageButton open, save, silent;
    open.setBounds(0, 0, 10, 10);
    save.setBounds(10, 0, 10, 10);
    silent.setBounds(40, 0, 10, 10);
    open.setTooltipText(openTip);
    save.setTooltipText(saveTip);
    for (ovek::ImageButton* b : {&open, &save, &silent})
        MYPLAT.rootComponent.add(b);

    ovek::dispatchMouseMessage(MYPLAT, ovek::MouseMessage::Move, 5, 5);
    ovek::dispatchMouseMessage(MYPLAT, ovek::MouseMessage::Move, 15, 5);
    EXPECT_TRUE(windows.tooltipOpen);
    EXPECT_EQ(windows.calls.back(), std::string("tip+ ") + saveTip);

    // A button without a tip counts nothing: leaving save for it removes the tip.
    ovek::dispatchMouseMessage(MYPLAT, ovek::MouseMessage::Move, 45, 5);
    EXPECT_FALSE(windows.tooltipOpen);
    ovek::dispatchMouseMessage(MYPLAT, ovek::MouseMessage::Move, 5, 5);
    ovek::dispatchMouseMessage(MYPLAT, ovek::MouseMessage::Move, 30, 5);
    EXPECT_FALSE(windows.tooltipOpen);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{
                                 std::string("tip+ ") + openTip, "tip-",
                                 std::string("tip+ ") + saveTip, "tip-",
                                 std::string("tip+ ") + openTip, "tip-"}));
}

TEST_F(ImageButtonTest, SelectButtonShowsTheImageOfItsSelection)
{
    ovek::SelectImageButton tab;
    tab.setBounds(0, 0, 2, 2);
    tab.setImageDisabled(dis);
    tab.setSelectedImage(up);
    tab.setUnselectedImage(out);
    EXPECT_EQ(shown(tab), kWhite);   // stored only; the disabled image filled the other slots
    MYPLAT.needRepaint = false;
    tab.setSelected(true);
    EXPECT_TRUE(tab.isSelected());
    EXPECT_TRUE(MYPLAT.needRepaint);
    EXPECT_EQ(shown(tab), kGreen);
    tab.fireMouseEvent(1, 1, 0, ovek::MOUSE_DOWN);
    EXPECT_EQ(shown(tab), kGreen);
    tab.setSelected(false);
    EXPECT_EQ(shown(tab), kRed);
    EXPECT_EQ(tab.imageDisabled, dis);
}

}  // namespace
