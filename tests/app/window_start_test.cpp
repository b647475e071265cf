// "pexolen" without arguments, run as a user runs it: from another folder,
// with a display (a virtual one of the test's own) and without.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "image/image.h"
#include "tests/fltk/x_screen.h"
#include "tests/test_util.h"

namespace {

TEST(WindowStart, OpensOnThePatternTabAndClosingExitsWithZero)
{
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr) << "the test runs under with_xvfb.sh";
    ovek::Image pattern(nullptr, 1, 1);
    ASSERT_TRUE(pattern.loadImage(std::string(PEXOLEN_SOURCE_DIR) + "/demo/pattern.bmp"));
    testutil::TempDir elsewhere;   // the data files are found from any folder
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(elsewhere.path().c_str()) == 0)
            execl(PEXOLEN_BIN, PEXOLEN_BIN, static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    // The demo pattern at its natural size from the top-left corner.
    Window w = 0;
    bool shown = false;
    while (!shown && xscreen::secondsSince(start) < 60) {
        usleep(10000);
        XErrorHandler old = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        w = xscreen::findByTitle(d, "Pexolen");
        const xscreen::Shot s = w ? xscreen::grab(d, w, 0, 0, pattern.getWidth(),
                                                  pattern.getHeight())
                                  : xscreen::Shot{};
        XSetErrorHandler(old);
        shown = !s.pixels.empty();
        for (int y = 0; shown && y < s.height; ++y)
            for (int x = 0; shown && x < s.width; ++x)
                shown = s.at(x, y) == uint32_t(pattern.getColor(x, y));
    }
    EXPECT_TRUE(shown) << "no window showing the demo pattern";
    if (shown) {
        std::printf("start to first frame: %.0f ms\n", xscreen::secondsSince(start) * 1000);
        xscreen::askToClose(d, w);
    }
    EXPECT_EQ(xscreen::waitForExit(pid, shown ? 30 : 0), 0);
    XCloseDisplay(d);
}

TEST(WindowStart, WithoutADisplayItSaysHowToUseTheCommandLine)
{
    testutil::TempDir dir;
    const std::string cmd = std::string("env -u DISPLAY ") + PEXOLEN_BIN + " </dev/null >" +
                            dir.file("out") + " 2>" + dir.file("err");
    const int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string err = testutil::readFile(dir.file("err"));
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("display"), std::string::npos) << err;
    EXPECT_NE(err.find("pexolen produce"), std::string::npos) << err;
    EXPECT_TRUE(testutil::readFile(dir.file("out")).empty());
}

}  // namespace
