// The picture pane rendered headless into the back buffer and read back:
// every picture pixel carries its own coordinates in its colour, so a look at
// the screen tells which picture pixel each screen pixel shows.
#include <gtest/gtest.h>

#include <memory>

#include "image/grey_picture.h"
#include "tests/toolkit/platform_fixture.h"
#include "toolkit/image_component.h"
#include "toolkit/picture_view.h"
#include "toolkit/window_procedure.h"

using ovek::Image;
using ovek::MYPLAT;
using ovek::PictureView;

namespace {

// The pane's place on the 200 x 150 root.
constexpr int kLeft = 10, kTop = 5, kWidth = 120, kHeight = 90;

// Never black, so that a black screen pixel shows no picture.
uint32_t codeOf(int x, int y)
{
    return ovek::rgb(x & 255, y & 255, 0x80 | (x >> 8) | (y >> 8) << 3);
}

std::unique_ptr<Image> coded(int w, int h)
{
    auto img = std::make_unique<Image>(nullptr, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = codeOf(x, y);
            img->setPixel(x, y, uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16));
        }
    return img;
}

struct Shown {
    bool any = false;   // the screen pixel shows a picture pixel
    int x = 0;
    int y = 0;
};

class PictureViewTest : public faketk::PlatformTest {
protected:
    void SetUp() override
    {
        MYPLAT.init(&windows, 200, 150);
        view.setBounds(kLeft, kTop, kWidth, kHeight);
        MYPLAT.getRootComponent()->add(&view);
    }

    void repaint() { backBuffer(0, 0); }

    // What pane pixel (x, y) shows, from the last repaint.
    Shown at(int x, int y)
    {
        const uint32_t c = MYPLAT.getRootImage()->surface().get(kLeft + x, kTop + y);
        if (c == 0)
            return {};
        return {true, int(c >> 16 & 255) | int(c & 7) << 8,
                int(c >> 8 & 255) | int(c >> 3 & 7) << 8};
    }

    // The whole back buffer after a repaint.
    std::vector<uint32_t> screen()
    {
        repaint();
        return MYPLAT.getRootImage()->surface().pixels;
    }

    // The pane shows picture pixel (x + dx, y + dy) at every (x, y).
    void expectOneToOne(int dx, int dy)
    {
        repaint();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const Shown s = at(x, y);
                ASSERT_TRUE(s.any && s.x == x + dx && s.y == y + dy)
                    << "pane pixel " << x << ", " << y << " shows " << s.x << ", " << s.y;
            }
    }

    // The screens hand the pane the keys of the root.
    void key(int code, ovek::InputMods mods = {}) { view.zoomKey(code, mods); }
    void wheel(int x, int y, int steps)
    {
        ovek::dispatchWheelMessage(MYPLAT, kLeft + x, kTop + y, steps);
    }
    void drag(int x, int y, int dx, int dy)
    {
        using ovek::MouseMessage;
        ovek::dispatchMouseMessage(MYPLAT, MouseMessage::Move, kLeft + x, kTop + y);
        ovek::dispatchMouseMessage(MYPLAT, MouseMessage::LeftDown, kLeft + x, kTop + y);
        ovek::dispatchMouseMessage(MYPLAT, MouseMessage::Move, kLeft + x + dx / 2,
                                   kTop + y + dy / 2);
        ovek::dispatchMouseMessage(MYPLAT, MouseMessage::Move, kLeft + x + dx, kTop + y + dy);
        ovek::dispatchMouseMessage(MYPLAT, MouseMessage::LeftUp, kLeft + x + dx, kTop + y + dy);
    }

    PictureView view;
};

constexpr int kKey0 = 0x30, kKey1 = 0x31;

TEST_F(PictureViewTest, ALargerPictureIsFittedWholeScaledAndNeverDrawnOutsideThePane)
{
    view.setImage(coded(600, 300));   // fitted by its width: a fifth
    const auto expectFitted = [&](int shownW, int shownH) {
        const std::vector<uint32_t> all = screen();
        for (int y = -kTop; y < 150 - kTop; ++y)
            for (int x = -kLeft; x < 200 - kLeft; ++x) {
                const Shown s = at(x, y);
                const bool inside = x >= 0 && y >= 0 && x < shownW && y < shownH;
                ASSERT_EQ(s.any, inside) << x << ", " << y;
                if (!inside)
                    continue;
                // The picture pixel lies under the screen pixel.
                ASSERT_GE(s.x, x * 600 / shownW);
                ASSERT_LT(s.x, (x + 1) * 600 / shownW + 1);
                ASSERT_GE(s.y, y * 300 / shownH);
                ASSERT_LT(s.y, (y + 1) * 300 / shownH + 1);
            }
        // The corners of the picture both show.
        EXPECT_LT(at(0, 0).x, 600 / shownW);
        EXPECT_LT(at(0, 0).y, 300 / shownH);
        EXPECT_GE(at(shownW - 1, shownH - 1).x, 600 - 600 / shownW);
        EXPECT_GE(at(shownW - 1, shownH - 1).y, 300 - 300 / shownH);
    };
    expectFitted(120, 60);

    // The pane's rectangle comes from the layout; a fitted view follows it.
    view.setBounds(kLeft, kTop, 60, 90);
    expectFitted(60, 30);
    view.setBounds(kLeft, kTop, kWidth, kHeight);
    expectFitted(120, 60);
}

TEST_F(PictureViewTest, TheOneToOneKeyShowsTheTopLeftPixelsExactlyAndTheSameKeyFitsAgain)
{
    view.setImage(coded(600, 300));
    const std::vector<uint32_t> fitted = screen();
    key(kKey1);
    expectOneToOne(0, 0);
    key(kKey1);
    EXPECT_EQ(screen(), fitted);
    key(kKey1);
    drag(50, 50, -20, -10);
    key(kKey0);
    EXPECT_EQ(screen(), fitted);
    // Keys with Ctrl belong to others.
    ovek::InputMods ctrl;
    ctrl.ctrl = true;
    key(kKey1, ctrl);
    EXPECT_EQ(screen(), fitted);
}

TEST_F(PictureViewTest, TheWheelZoomsAboutThePointerAndZoomingOutEndsFitted)
{
    view.setImage(coded(1200, 900));
    const std::vector<uint32_t> fitted = screen();
    key(kKey1);
    drag(60, 45, -500, -400);   // into the middle: room on every side
    const int points[][2] = {{0, 0}, {60, 45}, {119, 89}, {13, 77}};
    for (const auto& p : points) {
        for (int steps : {-1, -3, 2, 2}) {   // in, in, out, out: never below 1:1
            repaint();
            const Shown before = at(p[0], p[1]);
            wheel(p[0], p[1], steps);
            repaint();
            const Shown after = at(p[0], p[1]);
            ASSERT_TRUE(before.any && after.any);
            EXPECT_NEAR(after.x, before.x, 1) << p[0] << ", " << p[1] << " by " << steps;
            EXPECT_NEAR(after.y, before.y, 1) << p[0] << ", " << p[1] << " by " << steps;
        }
    }
    wheel(60, 45, 50);   // ten notches at most a record
    wheel(60, 45, 50);
    EXPECT_EQ(screen(), fitted);
}

TEST_F(PictureViewTest, ADragScrollsWithThePointerAsFarAsThePictureGoes)
{
    view.setImage(coded(600, 300));
    key(kKey1);
    drag(60, 45, -7, -3);
    expectOneToOne(7, 3);
    drag(60, 45, -2000, -2000);
    expectOneToOne(600 - kWidth, 300 - kHeight);
    drag(60, 45, 2000, 2000);
    expectOneToOne(0, 0);
    // Zoomed in, the limits hold too: the last picture pixel ends the pane.
    wheel(60, 45, -4);
    drag(60, 45, -5000, -5000);
    repaint();
    EXPECT_EQ(at(kWidth - 1, kHeight - 1).x, 599);
    EXPECT_EQ(at(kWidth - 1, kHeight - 1).y, 299);
}

// Differential: where the picture fits, the pane draws what the plain image
// component drew, pixel for pixel, and lets clicks through around it.
TEST_F(PictureViewTest, ASmallPictureShowsAsThePlainImageComponentShowsIt)
{
    std::unique_ptr<Image> small = coded(50, 40);
    view.setImage(coded(50, 40));
    const std::vector<uint32_t> ours = screen();
    MYPLAT.getRootComponent()->remove(&view);
    ovek::ImageComponent plain;
    plain.setBounds(kLeft, kTop, 0, 0);
    plain.setImage(std::move(small));
    MYPLAT.getRootComponent()->add(&plain);
    EXPECT_EQ(screen(), ours);
    MYPLAT.getRootComponent()->remove(&plain);

    MYPLAT.getRootComponent()->add(&view);
    EXPECT_TRUE(view.isPointIn(49, 39));
    EXPECT_FALSE(view.isPointIn(50, 39));
    view.clickThroughWhenStill = true;   // nothing to scroll: clicks go below
    EXPECT_FALSE(view.isPointIn(10, 10));
    wheel(10, 10, -6);                    // yet the wheel zooms it, larger than the pane
    EXPECT_TRUE(view.isPointIn(10, 10));
}

TEST_F(PictureViewTest, ANewPictureOfTheSameSizeKeepsTheViewAnotherSizeIsFitted)
{
    view.setImage(coded(600, 300));
    key(kKey1);
    drag(60, 45, -30, -20);
    view.setImage(coded(600, 300));   // a recomputed result
    expectOneToOne(30, 20);
    view.setImage(coded(601, 300));
    repaint();
    EXPECT_TRUE(at(0, 59).any);
    EXPECT_FALSE(at(0, 61).any);
    view.setImage(nullptr);
    repaint();
    EXPECT_FALSE(at(0, 0).any);
    EXPECT_FALSE(view.isPointIn(0, 0));
}

TEST_F(PictureViewTest, ADepthPictureWithoutColourIsKeptAsGreyAndGivenBackWhole)
{
    // Grey: kept as its values, drawn and handed back as it was.
    auto grey = std::make_unique<Image>(nullptr, 130, 70);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 130; ++x) {
            const uint8_t v = uint8_t(x * 7 + y * 13 + 1);
            grey->setPixel(x, y, v, v, v);
        }
    const std::vector<uint8_t> greyPixels = grey->pixels;
    const ovek::GreyPicture greyValues = ovek::greyOf(*grey);
    PictureView asColour;
    auto copy = std::make_unique<Image>(nullptr, 130, 70);
    copy->pixels = greyPixels;
    asColour.setImage(std::move(copy));

    view.setDepthPicture(std::move(grey));
    const std::vector<uint32_t> drawn = screen();
    ASSERT_NE(view.depthGrey(), nullptr);
    EXPECT_EQ(view.depthGrey()->values, greyValues.values);
    ASSERT_NE(view.getImage(), nullptr);
    EXPECT_EQ(view.getImage()->pixels, greyPixels);
    EXPECT_EQ(view.getImage(), view.getImage());   // made once
    MYPLAT.getRootComponent()->remove(&view);
    asColour.setBounds(kLeft, kTop, kWidth, kHeight);
    MYPLAT.getRootComponent()->add(&asColour);
    EXPECT_EQ(screen(), drawn);

    // In colour: the picture itself is kept, and its grey beside it.
    std::unique_ptr<Image> colour = coded(30, 20);
    const Image* given = colour.get();
    const ovek::GreyPicture colourGrey = ovek::greyOf(*colour);
    view.setDepthPicture(std::move(colour));
    EXPECT_EQ(view.getImage(), given);
    EXPECT_EQ(view.depthGrey()->values, colourGrey.values);
    const std::shared_ptr<const ovek::GreyPicture> held = view.depthGrey();
    view.setImage(coded(30, 20));    // a plain picture has no depth values
    EXPECT_EQ(view.depthGrey(), nullptr);
    EXPECT_EQ(held->values, colourGrey.values);   // a holder keeps its own
}

// The wheel goes to the topmost visible component under the pointer, and
// only to it, with the modifiers of its record.
struct WheelLog : ovek::EventListener {
    std::vector<std::string> seen;
    void mouseWheel(int x, int y, int steps, ovek::EventObject*, ovek::InputMods mods) override
    {
        seen.push_back(std::to_string(x) + "," + std::to_string(y) + " " +
                       std::to_string(steps) + (mods.ctrl ? " ctrl" : ""));
    }
};

TEST_F(PictureViewTest, TheWheelReachesTheTopmostShownComponentUnderThePointerOnly)
{
    MYPLAT.getRootComponent()->remove(&view);
    ovek::Component below, above, hidden;
    below.setBounds(0, 0, 100, 100);
    above.setBounds(50, 50, 100, 100);
    hidden.setBounds(0, 0, 200, 150);
    hidden.setVisible(false);
    WheelLog belowLog, aboveLog, rootLog;
    below.addEventListener(&belowLog);
    above.addEventListener(&aboveLog);
    MYPLAT.getRootComponent()->addEventListener(&rootLog);
    for (ovek::Component* c : {&below, &above, &hidden})
        MYPLAT.getRootComponent()->add(c);
    ovek::InputMods ctrl;
    ctrl.ctrl = true;
    ovek::dispatchWheelMessage(MYPLAT, 60, 70, -1, ctrl);   // both: the upper one
    ovek::dispatchWheelMessage(MYPLAT, 20, 30, 2);          // only the lower one
    ovek::dispatchWheelMessage(MYPLAT, 180, 10, 1);         // neither: the root
    EXPECT_EQ(aboveLog.seen, (std::vector<std::string>{"10,20 -1 ctrl"}));
    EXPECT_EQ(belowLog.seen, (std::vector<std::string>{"20,30 2"}));
    EXPECT_EQ(rootLog.seen, (std::vector<std::string>{"180,10 1"}));
    EXPECT_TRUE(MYPLAT.needRepaint);
}

}  // namespace
