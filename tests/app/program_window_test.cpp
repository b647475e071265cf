// The whole program as a user meets it: "pexolen" without arguments on a
// virtual X server of its own, clicked and typed at through xdotool, looked at
// through the screen's pixels, and compared with what "pexolen produce" writes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <functional>

#include "app/screens.h"
#include "image/image.h"
#include "tests/app/run_pexolen.h"
#include "tests/mesh/model_samples.h"
#include "tests/fltk/x_drop.h"
#include "tests/fltk/x_screen.h"

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";
constexpr double kSlow = 120;   // seconds: a production under the sanitizers

// What a picture file shows, in the screen's 0x00RRGGBB.
xscreen::Shot pictureOf(const std::string& path)
{
    ovek::Image img(nullptr, 1, 1);
    EXPECT_TRUE(img.loadImage(path)) << path;
    xscreen::Shot s;
    s.width = img.getWidth();
    s.height = img.getHeight();
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            s.pixels.push_back(uint32_t(img.getColor(x, y)));
    return s;
}

// A top-level window titled exactly title, or 0.
Window windowTitled(Display* d, const std::string& title)
{
    return xscreen::findByTitle(d, title, true);
}

class ProgramWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "the test runs under with_xvfb.sh";
        // A browser stand-in that notes the addresses it is asked to open.
        std::filesystem::create_directories(dir.file("bin"));
        testutil::writeFile(dir.file("bin/xdg-open"),
                            "#!/bin/sh\necho \"$@\" >> \"" + dir.file("links") + "\"\n");
        std::filesystem::permissions(dir.file("bin/xdg-open"), std::filesystem::perms::owner_all);
        // FLTK's own file chooser, the same on every machine, rather than the desktop's.
        std::filesystem::create_directories(dir.file("home/.fltk/fltk.org"));
        testutil::writeFile(dir.file("home/.fltk/fltk.org/fltk.prefs"),
                            "; FLTK preferences file format 1.0\n; vendor: fltk.org\n"
                            "; application: fltk\n\n[.]\n\n[./options]\nFNFCUsesGTK:0\n");
        std::filesystem::create_directories(dir.file("work"));
        start();
        ASSERT_NE(window, 0u) << "no main window appeared";
    }

    void TearDown() override
    {
        if (child > 0) {
            if (window)
                closeDiscardingWork();
            EXPECT_EQ(xscreen::waitForExit(child, 30), 0)
                << "the program did not end well when its window was closed\n"
                << testutil::readFile(dir.file("err"));
        }
        if (display)
            XCloseDisplay(display);
    }

    // pexolen without arguments, from a folder of its own, with this test's
    // home and search path.
    void start()
    {
        const std::string path = dir.file("bin") + ":" + std::getenv("PATH");
        std::vector<std::string> env = {"HOME=" + dir.file("home"), "PATH=" + path};
        env.insert(env.end(), language.begin(), language.end());
        for (const char* keep : {"DISPLAY", "LIBGL_ALWAYS_SOFTWARE", "LSAN_OPTIONS",
                                 "ASAN_OPTIONS", "UBSAN_OPTIONS"})
            if (const char* value = std::getenv(keep))
                env.push_back(std::string(keep) + "=" + value);
        std::vector<char*> envp;
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        const std::string work = dir.file("work"), err = dir.file("err");
        std::vector<char*> argv = {const_cast<char*>(PEXOLEN_BIN)};
        for (std::string& a : arguments)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        child = fork();
        if (child == 0) {
            if (chdir(work.c_str()) == 0 && freopen(err.c_str(), "w", stderr))
                execve(PEXOLEN_BIN, argv.data(), envp.data());
            _exit(127);
        }
        waitUntil([&] {
            window = xscreen::findByTitle(display, "Pexolen ");
            XWindowAttributes a;
            return window && XGetWindowAttributes(display, window, &a) &&
                   a.map_state == IsViewable;
        });
    }

    bool waitUntil(const std::function<bool()>& done, double seconds = 20)
    {
        const auto start = std::chrono::steady_clock::now();
        // Windows come and go while we look: their errors are no failure here.
        XErrorHandler old = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        bool ok = false;
        while (!(ok = done()) && xscreen::secondsSince(start) < seconds)
            usleep(20000);
        XSetErrorHandler(old);
        return ok;
    }

    xscreen::Shot screen(int x, int y, int w, int h)
    {
        return xscreen::grab(display, window, x, y, w, h);
    }

    bool shows(int x, int y, const xscreen::Shot& expected)
    {
        return screen(x, y, expected.width, expected.height).pixels == expected.pixels;
    }

    // Whether the image tab shows the stereogram result: all of it that is
    // not under the settings panel. A result larger than its view shows
    // fitted, so the 1 key (1:1, or back to fitted) is tried once.
    bool showsResult(const xscreen::Shot& result)
    {
        xscreen::Shot part;
        part.width = std::min(result.width, width - ovek::kSettingsPanelWidth);
        part.height = std::min(result.height, height - 38);
        for (int y = 0; y < part.height; ++y)
            for (int x = 0; x < part.width; ++x)
                part.pixels.push_back(result.at(x, y));
        if (shows(0, 0, part))
            return true;
        if (part.width == result.width && part.height == result.height)
            return false;
        for (int tries = 0; tries < 2; ++tries) {
            // The click takes the keys back from a field of the panel.
            xscreen::xdotool("mousemove --window " + std::to_string(window) +
                             " 20 100 click 1 key 1");
            usleep(300000);
            if (shows(0, 0, part))
                return true;
        }
        return false;
    }

    std::string title()
    {
        char* name = nullptr;
        std::string t;
        if (XFetchName(display, window, &name) && name) {
            t = name;
            XFree(name);
        }
        return t;
    }

    void clickAt(int x, int y)
    {
        ASSERT_TRUE(xscreen::xdotool("mousemove --window " + std::to_string(window) + " " +
                                     std::to_string(x) + " " + std::to_string(y) + " click 1"));
    }

    // How often the window's name changed since its property changes were
    // first asked for.
    int nameChanges()
    {
        const Atom name = XInternAtom(display, "WM_NAME", False);
        int changes = 0;
        XEvent e;
        XSync(display, False);
        while (XCheckTypedWindowEvent(display, window, PropertyNotify, &e))
            changes += e.xproperty.atom == name;
        return changes;
    }

    // Bottom-bar places for the current root size.
    int barY() const { return height - 19; }
    void clickTab(int left, int w) { clickAt(left + w / 2, barY()); }
    void clickPatternTab() { clickTab(10, 100); }
    void clickModelTab() { clickTab(110, 100); }
    void clickButton(int fromRight) { clickAt(width - fromRight + 12, barY()); }
    void clickOpen() { clickButton(250); }
    void clickProduce() { clickButton(200); }
    void clickSave() { clickButton(160); }

    // The lit demo mesh shows in the pane: orange and red pixels left of its
    // middle (the middle itself carries the rotation handles).
    bool meshShown()
    {
        const xscreen::Shot part = screen(width / 2 - 60, 38 + (height - 76) / 2 - 20, 40, 40);
        int lit = 0;
        for (uint32_t p : part.pixels)
            lit += (p >> 16) == 0xFF && (p >> 8 & 0xFF) < 0xC0 && (p & 0xFF) < 0x40;
        return lit > 100;
    }

    // The question the program asks before work is lost, or 0 when none
    // shows within seconds.
    Window question(double seconds)
    {
        Window q = 0;
        waitUntil([&] { return (q = windowTitled(display, "Pexolen")) != 0; }, seconds);
        return q;
    }

    // Presses a key in the question box and waits until it is gone.
    void answerQuestion(Window q, const std::string& keys)
    {
        usleep(300000);   // until it takes keys
        ASSERT_TRUE(xscreen::xdotool("mousemove --window " + std::to_string(q) + " 5 5 key " + keys));
        EXPECT_TRUE(waitUntil([&] { return windowTitled(display, "Pexolen") == 0; }));
    }

    // Closes the window as a user does; work a test left unsaved is
    // discarded when the program asks (the question's third answer).
    void closeDiscardingWork()
    {
        xscreen::askToClose(display, window);
        for (int asked = 0; asked < 2; ++asked) {
            const Window q = question(3);
            if (!q)
                break;
            answerQuestion(q, "shift+Tab space");
        }
    }

    // Answers FLTK's file chooser, titled title, with a name in the
    // program's folder (the chooser starts there, its path already typed).
    void answerDialog(const std::string& title, const std::string& name)
    {
        Window dialog = 0;
        ASSERT_TRUE(waitUntil([&] { return (dialog = windowTitled(display, title)) != 0; }))
            << "no " << title << " dialog";
        const std::string id = std::to_string(dialog);
        usleep(300000);   // until it takes keys
        ASSERT_TRUE(xscreen::xdotool("mousemove --window " + id + " 20 20"));
        ASSERT_TRUE(xscreen::xdotool("type --delay 10 '" + name + "'"));
        ASSERT_TRUE(xscreen::xdotool("key Return"));
    }

    // The desktop's language settings the program starts with.
    std::vector<std::string> language = {"LANG=C"};
    // The program's arguments, as a shell or a desktop entry hands them over.
    std::vector<std::string> arguments;
    testutil::TempDir dir;
    Display* display = nullptr;
    pid_t child = -1;
    Window window = 0;
    // The root area's size: the screens' layout follows it. At start-up it is
    // the program's first size (the main window less its caption), later the
    // main window's.
    int width = 866;
    int height = 591;
};

// Start-up, the model tab, produce, save: each step shows what the command
// line would make.
TEST_F(ProgramWindow, MakesAndSavesTheStereogramTheCommandLineMakes)
{
    const xscreen::Shot pattern = pictureOf(kDemo + "pattern.bmp");
    EXPECT_TRUE(waitUntil([&] { return shows(0, 0, pattern); }))
        << "start-up shows the demo pattern on the pattern tab";

    clickModelTab();
    EXPECT_TRUE(waitUntil([&] { return meshShown(); })) << "the model tab shows the demo mesh";

    const std::string size = std::to_string(width) + "x" + std::to_string(height - 38);
    const testutil::Outcome cli =
        testutil::pexolen("produce --size " + size + " -o " + dir.file("cli.bmp"));
    ASSERT_EQ(cli.status, 0) << cli.err;
    const xscreen::Shot expected = pictureOf(dir.file("cli.bmp"));
    // The busy title may come and go faster than a look at the title: count
    // the changes of the window's name instead.
    const std::string mainTitle = title();
    XSelectInput(display, window, PropertyChangeMask);
    XSync(display, False);
    clickProduce();
    EXPECT_TRUE(waitUntil([&] { return showsResult(expected); }, kSlow))
        << "the image tab shows the command line's stereogram of " << size;
    EXPECT_EQ(title(), mainTitle);
    // The live stereogram may be ready before the click: then produce only
    // shows it, and no busy title comes.
    (void)nameChanges();

    clickSave();
    answerDialog("Save", "saved");
    EXPECT_TRUE(waitUntil([&] {
        return testutil::readFile(dir.file("work/saved.bmp")) ==
               testutil::readFile(dir.file("cli.bmp"));
    })) << "saved.bmp holds the command line's file";
}

// The image tab follows the editor by itself: after a drag that turns the
// mesh, the tab shows (without produce) what the command line makes of the
// mesh saved afterwards.
TEST_F(ProgramWindow, TheImageTabFollowsADragInTheEditorWithoutProduce)
{
    clickModelTab();
    ASSERT_TRUE(waitUntil([&] { return meshShown(); }));
    const std::string id = std::to_string(window);
    const int cx = width / 2, cy = 38 + (height - 76) / 2;
    auto at = [&](int x, int y) {
        return "mousemove --window " + id + " " + std::to_string(x) + " " + std::to_string(y);
    };
    // Beside the pivot, level with it: the drag turns the mesh about y.
    ASSERT_TRUE(xscreen::xdotool(at(cx - 30, cy + 5)));
    usleep(200000);
    std::string drag = "mousedown 1";
    for (int step = 1; step <= 6; ++step)
        drag += " " + at(cx - 30 + 9 * step, cy + 5) + " sleep 0.1";
    ASSERT_TRUE(xscreen::xdotool(at(cx - 30, cy + 5) + " " + drag + " mouseup 1"));
    usleep(300000);
    // The stereogram's preview framed in the pane's bottom-right corner;
    // Ctrl+P hides it and shows it again.
    const int frameX = width - 9, frameY = 38 + (height - 76) - 9;
    auto framed = [&] { return screen(frameX, frameY, 1, 1).pixels[0] == 0x808080; };
    EXPECT_TRUE(waitUntil(framed, kSlow)) << "no preview on the model tab";
    ASSERT_TRUE(xscreen::xdotool("key ctrl+p"));
    EXPECT_TRUE(waitUntil([&] { return !framed(); })) << "Ctrl+P left the preview";
    ASSERT_TRUE(xscreen::xdotool("key ctrl+p"));
    EXPECT_TRUE(waitUntil(framed)) << "Ctrl+P did not bring the preview back";

    clickSave();
    answerDialog("Save", "dragged.om");
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(dir.file("work/dragged.om")); }));
    const std::string size = std::to_string(width) + "x" + std::to_string(height - 38);
    const testutil::Outcome cli = testutil::pexolen("produce --model " + dir.file("work/dragged.om") +
                                                    " --size " + size + " -o " + dir.file("cli.bmp"));
    ASSERT_EQ(cli.status, 0) << cli.err;
    const testutil::Outcome before =
        testutil::pexolen("produce --size " + size + " -o " + dir.file("demo.bmp"));
    ASSERT_NE(testutil::readFile(dir.file("cli.bmp")), testutil::readFile(dir.file("demo.bmp")))
        << "the drag did not change the mesh";

    clickTab(210, 120);   // the image tab; produce is never pressed
    EXPECT_TRUE(waitUntil([&] { return showsResult(pictureOf(dir.file("cli.bmp"))); }, kSlow))
        << "the image tab shows the command line's stereogram of the dragged mesh";
}

// The settings panel beside the result: viewing cross-eyed chosen from its
// list and an eye separation typed in, produce makes what the command line
// makes with the same options.
TEST_F(ProgramWindow, ThePanelsSettingsMakeTheCommandLinesStereogram)
{
    const testutil::Outcome cli = testutil::pexolen(
        "produce --cross-eyed --eye-separation 150 --size 866x553 -o " + dir.file("cli.bmp"));
    ASSERT_EQ(cli.status, 0) << cli.err;
    const testutil::Outcome plain =
        testutil::pexolen("produce --size 866x553 -o " + dir.file("plain.bmp"));
    ASSERT_EQ(plain.status, 0) << plain.err;
    const int panel = width - ovek::kSettingsPanelWidth;
    auto panelTop = [&] { return screen(panel, 0, ovek::kSettingsPanelWidth, 60); };
    const xscreen::Shot patternTab = panelTop();
    clickTab(210, 120);   // the image tab: the panel shows at its right edge
    ASSERT_TRUE(waitUntil([&] { return panelTop().pixels != patternTab.pixels; }));
    usleep(300000);
    const xscreen::Shot before = panelTop();
    const int field = panel + 150;   // the fields' column
    // The first row: viewing. Its list opens under the pointer; the next entry.
    clickAt(field, 17);
    usleep(500000);
    ASSERT_TRUE(xscreen::xdotool("key Down Return"));
    // The second row: the eye separation, typed over.
    usleep(300000);
    clickAt(field - 20, 42);
    ASSERT_TRUE(xscreen::xdotool("key ctrl+a BackSpace 1 5 0 Return"));
    usleep(300000);
    EXPECT_NE(panelTop().pixels, before.pixels)
        << "the panel shows the new choices";
    clickProduce();
    EXPECT_TRUE(waitUntil([&] { return showsResult(pictureOf(dir.file("cli.bmp"))); }, kSlow))
        << "the image tab shows the command line's cross-eyed stereogram";
    EXPECT_FALSE(showsResult(pictureOf(dir.file("plain.bmp"))));
}

TEST_F(ProgramWindow, ResizingMovesTabsAndButtonsWithTheWindowsBottomAndRightEdges)
{
    ASSERT_TRUE(waitUntil([&] { return shows(0, 0, pictureOf(kDemo + "pattern.bmp")); }));
    struct Place {
        int left, fromRight, width;   // fromRight: the left edge from the right one, 0 for tabs
    };
    const Place places[] = {{10, 0, 100}, {110, 0, 100}, {210, 0, 120},
                            {0, 250, 33}, {0, 200, 25}, {0, 160, 25}};
    // The whole bar shows, its last row included.
    constexpr int kShownRows = 38;
    std::vector<xscreen::Shot> looks;
    for (const Place& p : places)
        looks.push_back(screen(p.fromRight ? width - p.fromRight : p.left, height - 38, p.width,
                               kShownRows));

    ASSERT_TRUE(xscreen::xdotool("windowsize " + std::to_string(window) + " 1000 700"));
    for (size_t i = 0; i < looks.size(); ++i) {
        const Place& p = places[i];
        const int x = p.fromRight ? 1000 - p.fromRight : p.left;
        EXPECT_TRUE(waitUntil([&] { return shows(x, 700 - 38, looks[i]); }))
            << "bar item " << i << " at x " << x;
    }
    width = 1000;
    height = 700;
    clickModelTab();
    EXPECT_TRUE(waitUntil([&] { return meshShown(); })) << "the model tab answers where it is now";
}

// A result larger than the pane shows whole, scaled down; the 1 key shows its
// top-left pixels as they are, a wheel notch zooms in, 1 goes back to 1:1 and
// then to fitted.
TEST_F(ProgramWindow, ALargeResultShowsFittedAndTheOneKeyShowsItsPixelsAsTheyAre)
{
    // A depth picture's result is at least 800 x 600: taller than the pane.
    std::filesystem::copy_file(kDemo + "depth.bmp", dir.file("work/depth.bmp"));
    const testutil::Outcome cli = testutil::pexolen(
        "produce --depth " + dir.file("work/depth.bmp") + " -o " + dir.file("cli.bmp"));
    ASSERT_EQ(cli.status, 0) << cli.err;
    const xscreen::Shot result = pictureOf(dir.file("cli.bmp"));
    ASSERT_EQ(result.height, 600);
    const int paneH = height - 38;
    const int paneW = width - ovek::kSettingsPanelWidth;   // the panel takes the rest
    const double s = std::min(double(paneW) / result.width, double(paneH) / result.height);
    const int shownW = int(result.width * s);
    const int shownH = int(result.height * s);

    clickModelTab();
    ASSERT_TRUE(waitUntil([&] { return meshShown(); }));
    clickOpen();
    answerDialog("Open", "depth.bmp");
    usleep(500000);   // the open is done before the next click is handled
    clickProduce();

    // Each screen pixel shows a picture pixel from under it (one pixel of
    // slack for rounding), and nothing of the picture lies beyond.
    const auto fittedShown = [&] {
        const xscreen::Shot look = screen(0, 0, paneW, paneH);
        for (int y = 0; y < paneH; ++y)
            for (int x = 0; x < paneW; ++x) {
                const uint32_t p = look.pixels[size_t(y) * size_t(paneW) + size_t(x)];
                if (x >= shownW + 2 || y >= shownH + 2) {
                    if (p != 0)
                        return false;
                    continue;
                }
                if (x >= shownW - 1 || y >= shownH - 1)
                    continue;
                bool found = false;
                for (int sy = std::max(0, int(y / s) - 1);
                     !found && sy <= std::min(result.height - 1, int((y + 1) / s) + 1); ++sy)
                    for (int sx = std::max(0, int(x / s) - 1);
                         !found && sx <= std::min(result.width - 1, int((x + 1) / s) + 1); ++sx)
                        found = result.pixels[size_t(sy) * size_t(result.width) + size_t(sx)] == p;
                if (!found)
                    return false;
            }
        return true;
    };
    EXPECT_TRUE(waitUntil(fittedShown, kSlow)) << "the result shows fitted, " << shownW << " x "
                                               << paneH;

    const std::string over = "mousemove --window " + std::to_string(window) + " 300 200 ";
    ASSERT_TRUE(xscreen::xdotool(over + "key 1"));
    xscreen::Shot topLeft;
    topLeft.width = std::min(paneW, result.width);
    topLeft.height = paneH;
    for (int y = 0; y < topLeft.height; ++y)
        for (int x = 0; x < topLeft.width; ++x)
            topLeft.pixels.push_back(result.pixels[size_t(y) * size_t(result.width) + size_t(x)]);
    EXPECT_TRUE(waitUntil([&] { return shows(0, 0, topLeft); })) << "1:1 from the top-left corner";

    // Wheel up (button 4) zooms in: the screen changes; 1 goes back to 1:1,
    // and once more to fitted.
    ASSERT_TRUE(xscreen::xdotool(over + "click 4"));
    EXPECT_TRUE(waitUntil([&] { return !shows(0, 0, topLeft); })) << "the wheel zooms";
    ASSERT_TRUE(xscreen::xdotool(over + "key 1"));
    EXPECT_TRUE(waitUntil([&] { return shows(0, 0, topLeft); })) << "1:1 again";
    ASSERT_TRUE(xscreen::xdotool(over + "key 1"));
    EXPECT_TRUE(waitUntil(fittedShown)) << "and 1 fits it again";
}

// Desktops match the window with the installed desktop entry by its class, and
// show its icon in task bars.
TEST_F(ProgramWindow, TheWindowCarriesTheProgramsClassAndIcon)
{
    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(display, window, &hint));
    // FLTK capitalises the class's first letter; desktops compare either.
    EXPECT_STREQ(hint.res_name, "pexolen");
    EXPECT_STREQ(hint.res_class, "Pexolen");
    XFree(hint.res_name);
    XFree(hint.res_class);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom icon = XInternAtom(display, "_NET_WM_ICON", False);
    ASSERT_EQ(XGetWindowProperty(display, window, icon, 0, 2, False, AnyPropertyType, &type,
                                 &format, &count, &after, &data),
              Success);
    ASSERT_EQ(count, 2u) << "no icon";
    const long* size = reinterpret_cast<const long*>(data);
    EXPECT_EQ(size[0], 64);   // ui/icon.png is 64 x 64
    EXPECT_EQ(size[1], 64);
    XFree(data);
}

TEST_F(ProgramWindow, TheBackgroundOpensTheHomePageOnlyWhereTheEditorDoesNotCoverIt)
{
    const int x = width / 2, y = (height - 76) / 2;   // the background picture's middle
    clickModelTab();
    ASSERT_TRUE(waitUntil([&] { return meshShown(); }));
    clickAt(x, y);   // the editor lies over the picture here
    clickPatternTab();
    ASSERT_TRUE(waitUntil([&] { return !meshShown(); }));
    clickAt(x, y);
    EXPECT_TRUE(waitUntil([&] { return !testutil::readFile(dir.file("links")).empty(); }));
    usleep(500000);   // a second, late call would show by now
    const std::string links = testutil::readFile(dir.file("links"));
    EXPECT_EQ(std::count(links.begin(), links.end(), '\n'), 1) << links;
    const std::string page = links.substr(0, links.find('\n'));
    EXPECT_EQ(page.rfind('/', 0), 0u) << "an absolute path: " << links;
    EXPECT_TRUE(std::filesystem::is_regular_file(page)) << page;
}

TEST_F(ProgramWindow, AFileThatCannotBeReadIsReportedAndChangesNothing)
{
    testutil::writeFile(dir.file("work/broken.3ds"), "not a model");
    const testutil::Outcome cli =
        testutil::pexolen("produce --size 866x553 -o " + dir.file("cli.bmp"));
    ASSERT_EQ(cli.status, 0) << cli.err;
    clickModelTab();
    ASSERT_TRUE(waitUntil([&] { return meshShown(); }));
    clickOpen();
    answerDialog("Open", "broken.3ds");
    Window message = 0;
    ASSERT_TRUE(waitUntil([&] { return (message = windowTitled(display, "Pexolen")) != 0; }))
        << "no message box";
    ASSERT_TRUE(xscreen::xdotool("mousemove --window " + std::to_string(message) +
                                 " 20 20 key Return"));
    ASSERT_TRUE(waitUntil([&] { return windowTitled(display, "Pexolen") == 0; }));
    EXPECT_TRUE(waitUntil([&] { return meshShown(); })) << "the model tab still shows the mesh";
    // Produced from the same mesh as before.
    clickProduce();
    EXPECT_TRUE(waitUntil([&] { return showsResult(pictureOf(dir.file("cli.bmp"))); }, kSlow));
}

// The same program in the desktop's language: title, a tooltip, the tab
// captions and the help page F1 opens.
struct LanguageLook {
    std::string titlePart;     // in the main title
    std::string openTip;       // the open button's tooltip
    std::string patternTab;    // the selected pattern tab's picture, below ui/
    std::string helpPage;      // the page's file name
};

class ProgramInLanguage : public ProgramWindow {
protected:
    void expectLook(const LanguageLook& look)
    {
        EXPECT_NE(title().find(look.titlePart), std::string::npos) << title();

        // The tab's picture as it shows: the bar's last row is below the window.
        const xscreen::Shot tab = pictureOf(std::string(PEXOLEN_SOURCE_DIR) + "/ui/" +
                                            look.patternTab);
        xscreen::Shot shown = tab;
        shown.height = tab.height - 1;
        shown.pixels.resize(size_t(shown.width) * size_t(shown.height));
        EXPECT_TRUE(waitUntil([&] { return shows(10, height - 38, shown); }))
            << "the pattern tab shows " << look.patternTab;

        ASSERT_TRUE(xscreen::xdotool("mousemove --window " + std::to_string(window) + " " +
                                     std::to_string(width - 250 + 12) + " " +
                                     std::to_string(barY())));
        EXPECT_TRUE(waitUntil([&] { return xscreen::findByTitle(display, look.openTip, true); }))
            << "no tooltip \"" << look.openTip << "\"";

        ASSERT_TRUE(xscreen::xdotool("mousemove --window " + std::to_string(window) +
                                     " 20 100 key F1"));
        EXPECT_TRUE(waitUntil([&] { return !testutil::readFile(dir.file("links")).empty(); }));
        const std::string links = testutil::readFile(dir.file("links"));
        EXPECT_NE(links.find("/" + look.helpPage + "\n"), std::string::npos) << links;
    }
};

TEST_F(ProgramInLanguage, AnEnglishDesktopReadsEnglish)
{
    expectLook({"Stereogram maker", "Open (Ctrl+O)", "tabs/en/pattern_on.bmp", "index.html"});
}

class ProgramInChinese : public ProgramInLanguage {
protected:
    void SetUp() override
    {
        language = {"LANG=zh_CN.UTF-8", "LOCPATH=" PEXOLEN_TEST_LOCPATH};
        ProgramInLanguage::SetUp();
    }
};

TEST_F(ProgramInChinese, AChineseDesktopSeesTheDesignsInterface)
{
    // "Ovek 出品  三维立体画制作" (by Ovek, stereogram maker), "打开" (open)
    // followed by its key.
    expectLook({"Ovek \xe5\x87\xba\xe5\x93\x81  \xe4\xb8\x89\xe7\xbb\xb4\xe7\xab\x8b"
                "\xe4\xbd\x93\xe7\x94\xbb\xe5\x88\xb6\xe4\xbd\x9c",
                "\xe6\x89\x93\xe5\xbc\x80 (Ctrl+O)", "tabs/pattern_on.bmp", "index.zh.html"});
}

TEST_F(ProgramWindow, TheModelTabOpensAnOBJAndProducesWhatTheCommandLineMakesOfIt)
{
    testutil::writeFile(dir.file("work/cube.obj"), samples::cubeOBJ());
    const testutil::Outcome cli = testutil::pexolen("produce --model " + dir.file("work/cube.obj") +
                                                    " --size 866x553 -o " + dir.file("cli.bmp"));
    ASSERT_EQ(cli.status, 0) << cli.err;
    clickModelTab();
    ASSERT_TRUE(waitUntil([&] { return meshShown(); }));
    clickOpen();
    answerDialog("Open", "cube.obj");
    usleep(500000);   // the open is done before the next click is handled
    // The cube's stereogram, not the demo mesh's.
    clickProduce();
    EXPECT_TRUE(waitUntil([&] { return showsResult(pictureOf(dir.file("cli.bmp"))); }, kSlow))
        << "the image tab shows the command line's stereogram of the cube";
}

// Save by name: the typed ending chooses the format.
TEST_F(ProgramWindow, SavingAsPNGWritesThePictureAsAPNG)
{
    const testutil::Outcome cli =
        testutil::pexolen("produce --size 866x553 -o " + dir.file("cli.png"));
    ASSERT_EQ(cli.status, 0) << cli.err;
    clickProduce();
    ASSERT_TRUE(waitUntil([&] { return showsResult(pictureOf(dir.file("cli.png"))); }, kSlow));
    clickSave();
    answerDialog("Save", "x.png");
    EXPECT_TRUE(waitUntil([&] {
        return testutil::readFile(dir.file("work/x.png")).rfind("\x89PNG\r\n", 0) == 0;
    })) << "x.png is a PNG";
    EXPECT_FALSE(std::filesystem::exists(dir.file("work/x.png.bmp")));
    EXPECT_EQ(pictureOf(dir.file("work/x.png")).pixels, pictureOf(dir.file("cli.png")).pixels);
}

// No lost work: the close button over an edited mesh asks, and cancel keeps
// the window and the edit.
TEST_F(ProgramWindow, ClosingWithAnEditedMeshAsksAndCancelKeepsTheWindowOpen)
{
    clickModelTab();
    ASSERT_TRUE(waitUntil([&] { return meshShown(); }));
    // Select every point and remove them: the pane empties.
    ASSERT_TRUE(xscreen::xdotool("mousemove --window " + std::to_string(window) +
                                 " 20 300 key ctrl+a Delete"));
    ASSERT_TRUE(waitUntil([&] { return !meshShown(); })) << "the mesh was not removed";

    xscreen::askToClose(display, window);
    const Window q = question(20);
    ASSERT_NE(q, 0u) << "closing over an edited mesh did not ask";
    answerQuestion(q, "Escape");
    usleep(500000);
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, WNOHANG), 0) << "the program ended after cancel";
    XWindowAttributes a;
    EXPECT_TRUE(XGetWindowAttributes(display, window, &a) && a.map_state == IsViewable);
    clickPatternTab();
    clickModelTab();
    usleep(500000);
    EXPECT_FALSE(meshShown()) << "the edit is kept";
    // TearDown closes it again, discarding the edit when asked.
}

// Started as "pexolen OPTIONS FILE" (a name with a space, relative to the
// folder it starts in): F5 makes, and Ctrl+S saves, what produce makes.
class ProgramWithArguments : public ProgramWindow {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir.file("work"));
        const testutil::Outcome made = testutil::pexolen(
            "convert " + kDemo + "depth.bmp '" + dir.file("work/my depth.png") + "'");
        ASSERT_EQ(made.status, 0) << made.err;
        arguments = {"--cross-eyed", "--eye-separation", "300", "my depth.png"};
        ProgramWindow::SetUp();
    }

    void key(const std::string& keys)
    {
        ASSERT_TRUE(xscreen::xdotool("mousemove --window " + std::to_string(window) +
                                     " 20 100 key " + keys));
    }
};

TEST_F(ProgramWithArguments, F5MakesAndCtrlSSavesWhatProduceMakesOfTheSameArguments)
{
    EXPECT_TRUE(waitUntil([&] { return title().find("  Opened my depth.png (640 x 480)") !=
                                       std::string::npos; }))
        << "the title tells what was opened: " << title();
    const testutil::Outcome cli = testutil::pexolen(
        "produce --cross-eyed --eye-separation 300 --depth 'my depth.png' -o '" +
            dir.file("cli.bmp") + "'",
        dir.file("work"));
    ASSERT_EQ(cli.status, 0) << cli.err;

    key("F5");
    key("ctrl+s");
    ASSERT_TRUE(waitUntil([&] { return windowTitled(display, "Save") != 0; }, kSlow))
        << "Ctrl+S after F5 asks where to save the result";
    answerDialog("Save", "shown.bmp");
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(dir.file("work/shown.bmp")); }));
    EXPECT_TRUE(waitUntil([&] {
        const xscreen::Shot ours = pictureOf(dir.file("work/shown.bmp"));
        const xscreen::Shot theirs = pictureOf(dir.file("cli.bmp"));
        return ours.width == theirs.width && ours.height == theirs.height &&
               ours.pixels == theirs.pixels;
    })) << "the window made the picture produce makes";
    EXPECT_NE(title().find("  Saved shown.bmp (800 x 600)"), std::string::npos) << title();
}

// The window at the smallest size its window manager lets a user make it:
// the bar's items lie apart and each click reaches its own.
TEST_F(ProgramWindow, AtTheMinimumSizeEveryItemOfTheBarAnswers)
{
    XSizeHints hints{};
    long supplied = 0;
    // Set once the screens are built, after the window first showed.
    ASSERT_TRUE(waitUntil([&] {
        return XGetWMNormalHints(display, window, &hints, &supplied) &&
               (hints.flags & PMinSize) && hints.min_width > 1;
    }));
    ASSERT_TRUE(xscreen::xdotool("windowsize " + std::to_string(window) + " " +
                                 std::to_string(hints.min_width) + " " +
                                 std::to_string(hints.min_height)));
    width = hints.min_width;
    height = hints.min_height;
    EXPECT_LT(width, 866);
    EXPECT_LT(height, 591);
    // A tab is selected when its picture for "selected" shows at its place.
    const auto tabShown = [&](const char* picture, int left) {
        xscreen::Shot tab = pictureOf(std::string(PEXOLEN_SOURCE_DIR) + "/ui/tabs/en/" + picture);
        return waitUntil([&] { return shows(left, height - 38, tab); });
    };
    const auto dialogAnswers = [&](const std::string& title) {
        Window dialog = 0;
        if (!waitUntil([&] { return (dialog = windowTitled(display, title)) != 0; }))
            return false;
        usleep(300000);   // until it takes keys
        return xscreen::xdotool("mousemove --window " + std::to_string(dialog) +
                                " 20 20 key Escape") &&
               waitUntil([&] { return windowTitled(display, title) == 0; });
    };
    clickModelTab();
    EXPECT_TRUE(tabShown("model_on.bmp", 110));
    clickOpen();
    EXPECT_TRUE(dialogAnswers("Open"));
    clickSave();
    EXPECT_TRUE(dialogAnswers("Save"));
    clickProduce();
    EXPECT_TRUE(tabShown("image_on.bmp", 210)) << "produce shows the image tab";
    clickPatternTab();
    EXPECT_TRUE(tabShown("pattern_on.bmp", 10));
    clickTab(210, 120);
    EXPECT_TRUE(tabShown("image_on.bmp", 210));
    usleep(300000);
    EXPECT_TRUE(testutil::readFile(dir.file("links")).empty()) << "no click reached the background";
}

// Files dropped from a file manager: a picture on the pattern tab becomes the
// pattern; on the model tab the depth picture. Escapes are undone once: the
// name holds what would be an escape.
TEST_F(ProgramWindow, DroppedFilesGoWhereTheTabSendsThem)
{
    const std::string depth = dir.file("work/my depth %41.png");
    ASSERT_EQ(testutil::pexolen("convert " + kDemo + "depth.bmp '" + depth + "'").status, 0);
    const std::string uri = "file://" + dir.file("work/my%20depth%20%2541.png") + "\r\n";
    ASSERT_TRUE(waitUntil([&] { return shows(0, 0, pictureOf(kDemo + "pattern.bmp")); }));
    const xscreen::Shot picture = pictureOf(depth);

    ASSERT_TRUE(xscreen::dropFiles(display, window, 300, 200, uri)) << "the drop was refused";
    EXPECT_TRUE(waitUntil([&] { return shows(0, 0, picture); })) << "the pattern tab shows it";
    EXPECT_NE(title().find("  Opened my depth %41.png (640 x 480)"), std::string::npos)
        << title();

    // The same picture on the model tab, over the 3D pane's own window.
    clickModelTab();
    ASSERT_TRUE(waitUntil([&] { return meshShown(); }));
    ASSERT_TRUE(xscreen::dropFiles(display, window, width / 2, height / 2, uri));
    EXPECT_TRUE(waitUntil([&] { return !meshShown() && shows(0, 0, picture); }))
        << "the model tab shows the depth picture instead of the mesh";
}

}  // namespace
