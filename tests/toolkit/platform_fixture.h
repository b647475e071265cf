#pragma once
// Binds the program's platform object to a fake window system for one test and
// leaves it detached and empty afterwards.
#include <gtest/gtest.h>

#include "image/image.h"
#include "tests/toolkit/fake_window_system.h"
#include "toolkit/platform.h"

namespace faketk {

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override { ovek::MYPLAT.init(&windows, 100, 80); }
    // The children were locals of the test and are gone: forget them unread.
    void TearDown() override { ovek::MYPLAT.reset(); }

    // A w x h image of one colour (0x00RRGGBB).
    static ovek::Image* solid(int w, int h, uint32_t rgb)
    {
        auto* img = new ovek::Image(nullptr, w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img->setColor(x, y, int(rgb & 255), int(rgb >> 8 & 255), int(rgb >> 16 & 255));
        return img;
    }

    // The back buffer after a full repaint.
    uint32_t backBuffer(int x, int y)
    {
        ovek::MYPLAT.repaint();
        ovek::MYPLAT.flush();
        return ovek::MYPLAT.getRootImage()->surface().get(x, y);
    }

    FakeWindowSystem windows;
};

}  // namespace faketk
