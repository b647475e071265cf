// Random walks through everything a user can do to the view, checking after
// each step what the user would notice: the scale stays in range, no empty
// margin opens beside a picture larger than the pane, a fitted picture shows
// whole.
#include <gtest/gtest.h>

#include <random>

#include "toolkit/zoom_view.h"

namespace {

using ovek::ZoomView;

// The last pane column (or row) that shows picture, counting from first.
int lastShown(const ZoomView& v, bool columns)
{
    const int area = columns ? v.areaWidth : v.areaHeight;
    const int size = columns ? v.pictureWidth : v.pictureHeight;
    int last = -1;
    for (int i = 0; i < area; ++i) {
        const long long p = columns ? v.pictureX(i) : v.pictureY(i);
        if (p >= 0 && p < size)
            last = i;
    }
    return last;
}

void expectSound(const ZoomView& v, const std::string& step)
{
    SCOPED_TRACE(step + ": pane " + std::to_string(v.areaWidth) + " x " +
                 std::to_string(v.areaHeight) + ", picture " + std::to_string(v.pictureWidth) +
                 " x " + std::to_string(v.pictureHeight) + " at " + std::to_string(v.scale) +
                 " from " + std::to_string(v.left) + ", " + std::to_string(v.top));
    ASSERT_GT(v.scale, 0);
    ASSERT_LE(v.scale, ZoomView::kMaxScale);
    ASSERT_GE(v.scale, std::min(v.fitScale(), 1.0) * (1 - 1e-12));
    for (bool columns : {true, false}) {
        const int area = columns ? v.areaWidth : v.areaHeight;
        const int size = columns ? v.pictureWidth : v.pictureHeight;
        if (area <= 0 || size <= 0)
            continue;
        // The picture starts at the pane's edge or before it.
        const long long first = columns ? v.pictureX(0) : v.pictureY(0);
        ASSERT_GE(first, 0);
        const int last = lastShown(v, columns);
        const long long end = columns ? v.pictureX(last) : v.pictureY(last);
        // One screen pixel covers 1 / scale picture pixels: the one shown
        // lies under it.
        const double cover = 1 / v.scale;
        if (size * v.scale >= area + 1) {
            ASSERT_EQ(last, area - 1) << "a margin opened beside a picture larger than the pane";
        } else {
            // Smaller than the pane: shown whole from its corner.
            ASSERT_LE(first, cover);
            ASSERT_GE(end, size - 1 - cover);
        }
        if (v.fitted && v.areaWidth > 0 && v.areaHeight > 0) {
            ASSERT_LE(first, cover);
            ASSERT_GE(end, size - 1 - cover);
            ASSERT_LE(v.scale, 1);
        }
    }
}

TEST(ZoomView, EveryStepOfARandomWalkKeepsTheViewOnThePicture)
{
    std::mt19937 random(21);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int walk = 0; walk < 40; ++walk) {
        ZoomView v;
        v.setArea(pick(0, 300), pick(0, 200));
        v.setPicture(pick(1, 2000), pick(1, 2000));
        for (int step = 0; step < 60; ++step) {
            std::string what;
            switch (pick(0, 6)) {
            case 0:
                v.setArea(pick(0, 300), pick(0, 200));
                what = "area";
                break;
            case 1:
                v.setPicture(pick(1, 2000), pick(1, 2000));
                what = "picture";
                break;
            case 2:
                v.fit();
                what = "fit";
                break;
            case 3:
                v.toggleActualSize();
                what = "1:1";
                break;
            case 4:
                v.zoomAbout(pick(-10, 310), pick(-10, 210), pick(0, 1) ? 1.25 : 0.8);
                what = "zoom";
                break;
            default:
                v.scrollBy(pick(-500, 500), pick(-500, 500));
                what = "scroll";
                break;
            }
            expectSound(v, "walk " + std::to_string(walk) + " step " + std::to_string(step) +
                               " " + what);
        }
    }
}

}  // namespace
