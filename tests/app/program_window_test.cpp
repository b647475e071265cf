// The whole program as a user meets it: "pexolen" without arguments on a
// virtual X server of its own, clicked and typed at through xdotool, looked at
// through the screen's pixels, and compared with what "pexolen produce" writes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>

#include "app/screens.h"
#include "image/image.h"
#include "tests/app/run_pexolen.h"
#include "tests/mesh/model_samples.h"
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
                xscreen::askToClose(display, window);
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
        char* argv[] = {const_cast<char*>(PEXOLEN_BIN), nullptr};
        child = fork();
        if (child == 0) {
            if (chdir(work.c_str()) == 0 && freopen(err.c_str(), "w", stderr))
                execve(PEXOLEN_BIN, argv, envp.data());
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
    // not under the settings panel.
    bool showsResult(const xscreen::Shot& result)
    {
        xscreen::Shot part;
        part.width = std::min(result.width, width - ovek::kSettingsPanelWidth);
        part.height = std::min(result.height, height - 38);
        for (int y = 0; y < part.height; ++y)
            for (int x = 0; x < part.width; ++x)
                part.pixels.push_back(result.at(x, y));
        return shows(0, 0, part);
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
    EXPECT_GE(nameChanges(), 2) << "no busy title";

    clickSave();
    answerDialog("Save", "saved");
    EXPECT_TRUE(waitUntil([&] {
        return testutil::readFile(dir.file("work/saved.bmp")) ==
               testutil::readFile(dir.file("cli.bmp"));
    })) << "saved.bmp holds the command line's file";
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
    expectLook({"Stereogram maker", "Open", "tabs/en/pattern_on.bmp", "index.html"});
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
    // "Ovek 出品  三维立体画制作" (by Ovek, stereogram maker), "打开" (open).
    expectLook({"Ovek \xe5\x87\xba\xe5\x93\x81  \xe4\xb8\x89\xe7\xbb\xb4\xe7\xab\x8b"
                "\xe4\xbd\x93\xe7\x94\xbb\xe5\x88\xb6\xe4\xbd\x9c",
                "\xe6\x89\x93\xe5\xbc\x80", "tabs/pattern_on.bmp", "index.zh.html"});
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

}  // namespace
