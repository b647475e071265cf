// The window's arguments, dropped files, its keys and its smallest size, on
// the screens over a fake window system: what the window ends up making is
// compared with what "pexolen produce" makes of the same options.
#include <gtest/gtest.h>

#include <tuple>

#include "app/cli_options.h"
#include "app/cli_settings.h"
#include "app/screens.h"
#include "app/window_options.h"
#include "tests/app/fake_screens.h"
#include "tests/app/run_pexolen.h"
#include "tests/toolkit/fake_window_system.h"
#include "toolkit/platform.h"

using namespace ovek;

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";
constexpr int kKeyF5 = 0x74;

// Every field, so that two settings compare whole.
auto fieldsOf(const StereogramSettings& s)
{
    return std::make_tuple(s.viewing, s.eyeSeparation, s.dpi, s.depthScale, s.invert, s.pattern,
                           s.density, s.seed, s.mark, s.guides, s.oversample, s.rotateX,
                           s.rotateY, s.rotateZ);
}

// The screens as the window module makes them, on a root of a size other
// than the design's, so that nothing follows the window's size by chance.
class StartFiles : public ::testing::Test {
protected:
    void SetUp() override { build(); }
    void TearDown() override
    {
        screens.reset();
        MYPLAT.reset();
    }
    void build(int width = 1000, int height = 700)
    {
        screens.reset();
        MYPLAT.reset();
        windows.calls.clear();
        MYPLAT.init(&windows, width, height);
        screens = std::make_unique<Screens>(MYPLAT, renderer);
    }

    std::vector<std::string> calls(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& c : windows.calls)
            if (c.rfind(prefix, 0) == 0)
                found.push_back(c);
        return found;
    }

    void key(int code, bool ctrl = false, bool shift = false)
    {
        InputMods mods;
        mods.ctrl = ctrl;
        mods.shift = shift;
        MYPLAT.getRootComponent()->fireKeyEvent(code, OVEK_DOWN, mods);
        MYPLAT.getRootComponent()->fireKeyEvent(code, OVEK_UP, mods);
    }

    // The stereogram "pexolen produce ARGS" writes.
    std::unique_ptr<Image> produced(const std::string& args)
    {
        const testutil::Outcome cli = testutil::pexolen("produce -q " + args + " -o '" +
                                                        dir.file("cli.bmp") + "'");
        EXPECT_EQ(cli.status, 0) << args << "\n" << cli.err;
        return testutil::loadPicture(dir.file("cli.bmp"));
    }

    faketk::FakeWindowSystem windows;
    NoPaneRenderer renderer;
    std::unique_ptr<Screens> screens;
    testutil::TempDir dir;
};

std::string quoted(const std::string& s)
{
    return "'" + s + "'";
}

TEST(WindowArguments, TakeProducesSettingsAndSizeWithTheSameLimits)
{
    const CommandSpec produce = {"produce", "Usage: pexolen produce\n",
                                 stereogramCommandOptions({{"--model", nullptr, true},
                                                           {"--depth", nullptr, true}}),
                                 0};
    const std::vector<Args> cases = {
        {},
        {"--cross-eyed", "--eye-separation", "300"},
        {"--eye-separation=6.5cm", "--dpi", "300", "--print", "20x15cm"},
        {"--depth-scale", "1.5", "--invert", "--oversample", "4", "--size", "640x480"},
        {"--pattern", "grey-dots", "--density", "30", "--seed", "4294967295", "--mark", "none"},
        {"--guides", "bottom", "--rotate", "10,-20,360", "--pattern", "colour-dots"},
        {"--size", "100x100", "--size", "200x150"},   // the last counts
        {"--eye-separation", "5"},                    // each limit, as produce has it
        {"--depth-scale", "3"},
        {"--size", "16385x10"},
        {"--print", "20x15"},
        {"--oversample", "1.5"},
        {"--mark", "maybe"},
        {"--rotate", "1,2"},
    };
    for (const Args& options : cases) {
        std::string shown;
        for (const std::string& o : options)
            shown += o + " ";
        SCOPED_TRACE(shown);
        ParsedArgs parsed;
        StereogramSettings settings;
        int width = 0, height = 0;
        bool sizeGiven = false;
        const int produceStatus =
            parseWithSettings(produce, options, parsed, settings, width, height, sizeGiven);
        WindowArgs window;
        Args args = options;
        args.push_back(kDemo + "depth.bmp");
        ASSERT_EQ(parseWindowArgs(args, window), produceStatus);
        if (produceStatus != kContinue)
            continue;
        EXPECT_EQ(fieldsOf(window.settings), fieldsOf(settings));
        EXPECT_EQ(std::make_tuple(window.sizeGiven, window.width, window.height),
                  std::make_tuple(sizeGiven, width, height));
        EXPECT_EQ(window.files, Args{kDemo + "depth.bmp"});
    }
    // What produce alone takes is no window option.
    for (const Args& produceOnly : std::vector<Args>{{"--depth", "d.png"}, {"-o", "x.bmp"},
                                                     {"--threads", "2"}, {"--quiet"}}) {
        WindowArgs window;
        EXPECT_EQ(parseWindowArgs(produceOnly, window), kExitUsage) << produceOnly[0];
    }
}

TEST(WindowArguments, CommandsKeepTheirMeaningAndEverythingElseIsTheWindows)
{
    for (const char* command : {"produce", "animate", "convert", "info", "help", "--help", "-h",
                                "--version", "-v"})
        EXPECT_FALSE(opensWindow({command, "x"})) << command;
    for (const Args& args : std::vector<Args>{{}, {"window", "produce"}, {"--cross-eyed"},
                                              {"square.png"}, {"-"}, {"--"}})
        EXPECT_TRUE(opensWindow(args)) << (args.empty() ? "" : args[0]);

    testutil::TempDir dir;
    const std::string spaced = dir.file("my depth.bmp"), dashed = dir.file("-d.bmp");
    const std::string named = dir.file("produce");
    for (const std::string& f : {spaced, dashed, named})
        testutil::writeFile(f, "anything: read once the window is open");
    WindowArgs w;
    ASSERT_EQ(parseWindowArgs({spaced, "--invert", "--", dashed, spaced}, w), kContinue);
    EXPECT_EQ(w.files, (Args{spaced, dashed, spaced})) << "every file, in order";
    EXPECT_TRUE(w.settings.invert);
    WindowArgs byCommand;
    ASSERT_EQ(parseWindowArgs({"window", named, "--pattern", spaced}, byCommand), kContinue);
    EXPECT_EQ(byCommand.files, Args{named});
    EXPECT_EQ(byCommand.pattern, spaced);
    WindowArgs generated;
    ASSERT_EQ(parseWindowArgs({"--pattern", "dots"}, generated), kContinue);
    EXPECT_EQ(generated.pattern, "");
    EXPECT_EQ(generated.settings.pattern, PatternSource::Dots);

    // Missing files end the program before a window opens; a lone word is
    // more likely a mistyped command.
    WindowArgs unused;
    EXPECT_EQ(parseWindowArgs({dir.file("missing.png")}, unused), kExitBadInput);
    EXPECT_EQ(parseWindowArgs({"--pattern", dir.file("missing.png"), spaced}, unused), kExitBadInput);
    EXPECT_EQ(parseWindowArgs({dir.path().string()}, unused), kExitBadInput) << "a folder";
    EXPECT_EQ(parseWindowArgs({"prodcue"}, unused), kExitUsage);
    EXPECT_EQ(parseWindowArgs({"-"}, unused), kExitUsage) << "no standard input in a window";
    EXPECT_EQ(parseWindowArgs({"--help"}, unused), kExitOk);
}

// The window opened with arguments makes, at F5, the very picture produce
// makes of the same options: same settings, same pattern, same size rule.
TEST_F(StartFiles, OpensReadyToMakeWhatProduceMakesOfTheSameOptions)
{
    const std::string depth = dir.file("my depth.png");
    ASSERT_EQ(testutil::pexolen("convert " + kDemo + "depth.bmp " + quoted(depth)).status, 0);
    const std::string pattern = std::string(PEXOLEN_SOURCE_DIR) + "/ui/back.bmp";
    struct Case {
        Args options;
        std::string file;     // a depth picture or a model
        bool depth;
        int width, height;    // of the result
    } cases[] = {
        {{"--cross-eyed", "--eye-separation", "300"}, depth, true, 800, 600},
        // A model without --size: produce's size, not the window's.
        {{"--depth-scale", "1.5", "--pattern", "dots", "--seed", "7"}, kDemo + "demo.3ds", false,
         866, 554},
        {{"--size", "400x300", "--invert", "--pattern", pattern, "--guides", "top"}, depth, true,
         800, 600},
        {{"--pattern", "none", "--mark", "none", "--rotate", "0,30,0", "--size", "300x200"},
         kDemo + "demo.3ds", false, 300, 200},
    };
    for (const Case& c : cases) {
        std::string cli;
        for (const std::string& o : c.options)
            cli += quoted(o) + " ";
        SCOPED_TRACE(cli + c.file);
        build();
        WindowArgs args;
        Args given = c.options;
        given.push_back(c.file);
        ASSERT_EQ(parseWindowArgs(given, args), kContinue);
        screens->openStartArguments(args);
        EXPECT_EQ(screens->main_state, MAIN_STATE_MODEL) << "the model tab shows what opened";
        EXPECT_EQ(screens->modelType, c.depth ? MODEL_TYPE_IMAGE : MODEL_TYPE_3D);
        EXPECT_TRUE(calls("message").empty());

        key(kKeyF5);
        const Image* shown = screens->imagePane.getImage();
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(screens->main_state, MAIN_STATE_IMAGE);
        const std::unique_ptr<Image> expected =
            produced(cli + (c.depth ? "--depth " : "--model ") + quoted(c.file));
        EXPECT_EQ(std::make_pair(shown->getWidth(), shown->getHeight()),
                  std::make_pair(c.width, c.height));
        EXPECT_EQ(std::make_pair(expected->getWidth(), expected->getHeight()),
                  std::make_pair(c.width, c.height));
        EXPECT_TRUE(shown->pixels == expected->pixels);
    }
    // The title tells what the last file was.
    EXPECT_NE(screens->titleText().find("  Opened demo.3ds ("), std::string::npos)
        << screens->titleText();
}

TEST_F(StartFiles, WithoutArgumentsNothingChangesAndUnreadableFilesAreToldTogether)
{
    const std::string title = screens->titleText();
    const std::string startTitle = mainTitle();
    EXPECT_EQ(title, startTitle) << "the design's title until something happens";
    EXPECT_EQ(screens->main_state, MAIN_STATE_PATTERN);
    EXPECT_EQ(std::make_pair(screens->outputWidth, screens->outputHeight), std::make_pair(0, 0));
    EXPECT_EQ(std::make_pair(windows.minimumWidth, windows.minimumHeight),
              std::make_pair(kMinRootWidth, kMinRootHeight));

    testutil::writeFile(dir.file("broken.3ds"), "not a model");
    testutil::writeFile(dir.file("noise.png"), "not a picture");
    WindowArgs args;
    ASSERT_EQ(parseWindowArgs({dir.file("broken.3ds"), kDemo + "depth.bmp", dir.file("noise.png")},
                              args),
              kContinue);
    windows.calls.clear();
    screens->openStartArguments(args);
    const std::vector<std::string> messages = calls("message");
    ASSERT_EQ(messages.size(), 1u) << "one box for every failure";
    EXPECT_NE(messages[0].find("'" + dir.file("broken.3ds") + "'"), std::string::npos);
    EXPECT_NE(messages[0].find("'" + dir.file("noise.png") + "'"), std::string::npos);
    EXPECT_EQ(screens->modelType, MODEL_TYPE_IMAGE) << "the file that opened stays";
    EXPECT_EQ(screens->imageModel.getImage()->getWidth(), 640);
    EXPECT_EQ(screens->main_state, MAIN_STATE_MODEL);
    EXPECT_EQ(screens->titleText(), startTitle + "  \xe2\x80\x94  Cannot open noise.png");

    // A production refused is told in the title too, and nothing else changes.
    screens->outputWidth = screens->outputHeight = kMaxProduceSide + 1;
    windows.calls.clear();
    key(kKeyF5);
    EXPECT_EQ(calls("message").size(), 1u);
    EXPECT_EQ(screens->titleText(), startTitle + "  \xe2\x80\x94  Cannot make the stereogram");
    EXPECT_EQ(screens->imagePane.getImage(), nullptr);
}

// A picture dropped on the pattern tab is the pattern; everything else goes
// to the model tab, which then shows.
TEST_F(StartFiles, DropsGoWhereTheTabAndTheFilesKindSay)
{
    const std::string picture = kDemo + "depth.bmp", model = kDemo + "demo.3ds";
    struct Case {
        int tab;
        std::string file;
        bool becomesPattern;
    } cases[] = {
        {MAIN_STATE_PATTERN, picture, true},  {MAIN_STATE_PATTERN, model, false},
        {MAIN_STATE_MODEL, picture, false},   {MAIN_STATE_IMAGE, picture, false},
        {MAIN_STATE_IMAGE, model, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.tab) + " " + c.file);
        build();
        screens->setState(c.tab);
        const Image* pattern = screens->patternPane.getImage();
        MYPLAT.filesDropped({c.file});   // as the window system hands a drop over
        EXPECT_EQ(screens->patternPane.getImage() != pattern, c.becomesPattern);
        EXPECT_EQ(screens->main_state, c.becomesPattern ? c.tab : MAIN_STATE_MODEL);
        if (!c.becomesPattern) {
            EXPECT_EQ(screens->modelType, c.file == model ? MODEL_TYPE_3D : MODEL_TYPE_IMAGE);
        }
        EXPECT_NE(screens->statusNote.find("Opened "), std::string::npos) << screens->statusNote;
    }

    // Several files at once, one unreadable: the readable ones open, in order.
    testutil::writeFile(dir.file("broken.om"), "x");
    screens->setState(MAIN_STATE_IMAGE);
    windows.calls.clear();
    MYPLAT.filesDropped({picture, dir.file("broken.om"), model});
    EXPECT_EQ(screens->modelType, MODEL_TYPE_3D) << "the last one that opened";
    ASSERT_EQ(calls("message").size(), 1u);
    EXPECT_NE(calls("message")[0].find("broken.om"), std::string::npos);
}

TEST_F(StartFiles, CtrlOCtrlSAndF5DoWhatTheirButtonsDoWhereverTheButtonIsOn)
{
    struct Case {
        int tab;
        std::string ctrlO, ctrlS;   // the dialog each asks for, "" for none
    } cases[] = {
        {MAIN_STATE_PATTERN, "open", ""},
        {MAIN_STATE_MODEL, "open", "save"},
        {MAIN_STATE_IMAGE, "", "save"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab);
        screens->setState(c.tab);
        windows.calls.clear();
        key('O', true);
        EXPECT_EQ(calls("open"), (c.ctrlO.empty() ? Args{} : Args{c.ctrlO}));
        windows.calls.clear();
        key('S', true);
        EXPECT_EQ(calls("save"), (c.ctrlS.empty() ? Args{} : Args{c.ctrlS}));
        // Without Ctrl, or with another modifier, they are no shortcuts.
        windows.calls.clear();
        key('O');
        key('S');
        key('S', true, true);
        key(kKeyF5, true);
        EXPECT_TRUE(windows.calls.empty()) << windows.calls.front();

        const Image* before = screens->imagePane.getImage();
        key(kKeyF5);
        EXPECT_NE(screens->imagePane.getImage(), before) << "F5 produced";
        EXPECT_EQ(screens->main_state, MAIN_STATE_IMAGE);
    }

    // The editor keeps its own keys beside these.
    screens->setState(MAIN_STATE_MODEL);
    key('A', true);
    int selected = 0;
    for (const auto& p : screens->model3D.points)
        selected += p->selected != 0;
    EXPECT_EQ(selected, int(screens->model3D.points.size())) << "Ctrl+A selected every point";
}

// At the smallest size and larger, each item of the bar lies clear of the
// others, and a click on it does what it says, not what is beside or under it.
TEST_F(StartFiles, AtTheMinimumSizeEveryClickOnTheBarReachesItsOwnButton)
{
    const std::string noHelper = dir.file("empty"), path = std::getenv("PATH");
    std::filesystem::create_directories(noHelper);
    setenv("PATH", noHelper.c_str(), 1);   // the home page would be told of in a message
    for (const auto& [w, h] : {std::make_pair(kMinRootWidth, kMinRootHeight),
                               std::make_pair(kMinRootWidth + 1, kMinRootHeight + 37),
                               std::make_pair(1600, kMinRootHeight)}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        MYPLAT.setSize(w, h);
        Component* bar[] = {&screens->patternMenu, &screens->modelMenu, &screens->imageMenu,
                            &screens->button_open, &screens->button_produce, &screens->button_save};
        for (Component* a : bar) {
            EXPECT_GE(a->left, 0);
            EXPECT_LE(a->left + a->width, w);
            EXPECT_EQ(a->top + a->height, h);
            for (Component* b : bar)
                EXPECT_TRUE(a == b || a->left + a->width <= b->left || b->left + b->width <= a->left)
                    << "overlapping items at " << a->left << " and " << b->left;
        }
        const struct {
            Component* item;
            int tab;               // the tab selected afterwards
            std::string dialog;    // what the click asked for
        } clicks[] = {
            {&screens->modelMenu, MAIN_STATE_MODEL, ""},
            {&screens->button_open, MAIN_STATE_MODEL, "open"},
            {&screens->button_save, MAIN_STATE_MODEL, "save"},
            {&screens->patternMenu, MAIN_STATE_PATTERN, ""},
            {&screens->button_produce, MAIN_STATE_IMAGE, ""},
            {&screens->imageMenu, MAIN_STATE_IMAGE, ""},
        };
        for (const auto& c : clicks) {
            windows.calls.clear();
            click(*c.item);
            EXPECT_EQ(screens->main_state, c.tab);
            Args dialogs = calls("open");
            for (const std::string& s : calls("save"))
                dialogs.push_back(s);
            EXPECT_EQ(dialogs, (c.dialog.empty() ? Args{} : Args{c.dialog}));
        }
        // Between and beside the items, across the bar's height, the
        // background never takes the click.
        windows.calls.clear();
        screens->setState(MAIN_STATE_PATTERN);
        for (int x = 0; x < w; x += 3)
            for (int y = h - 38; y < h; y += 4)
                clickAt(x, y);
        EXPECT_TRUE(calls("message").empty()) << "a bar click opened the home page";
    }
    setenv("PATH", path.c_str(), 1);
}

}  // namespace
