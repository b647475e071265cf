// "pexolen" without arguments, run as a user runs it: from another folder,
// with a display (a virtual one of the test's own) and without.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "tests/platform/x_screen.h"
#include "tests/test_util.h"

namespace {

// Where the pane's centre lands in the main window at start-up: the pane is
// 866 x 516 at (0, 38).
constexpr int kPaneCentreX = 433, kPaneCentreY = 38 + 258;

TEST(WindowStart, OpensWithTheDemoMeshAndClosingExitsWithZero)
{
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr) << "the test runs under with_xvfb.sh";
    testutil::TempDir elsewhere;   // the demo files are found from any folder
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(elsewhere.path().c_str()) == 0)
            execl(PEXOLEN_BIN, PEXOLEN_BIN, static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    const Window w = xscreen::waitForRedPixel(d, "Pexolen", kPaneCentreX, kPaneCentreY, 60);
    const double firstFrame = xscreen::secondsSince(start);
    EXPECT_NE(w, Window(0)) << "no window showing the lit demo mesh";
    if (w) {
        std::printf("start to first frame: %.0f ms\n", firstFrame * 1000);
        // Above the pane: the back buffer, black on this minimal screen.
        const auto black = [&] { return xscreen::grab(d, w, 10, 10, 1, 1).pixels.at(0) == 0; };
        for (int i = 0; i < 200 && !black(); ++i)
            usleep(10000);
        EXPECT_TRUE(black());
        xscreen::askToClose(d, w);
    }
    EXPECT_EQ(xscreen::waitForExit(pid, w ? 30 : 0), 0);
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
