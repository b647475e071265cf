// The screens driven through the root component as the window would drive
// them, on a fake window system that answers the file dialogs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/screens.h"
#include "mesh/model_file.h"
#include "mesh/model_open.h"
#include "tests/app/run_pexolen.h"
#include "tests/mesh/mesh_builders.h"
#include "tests/mesh/model_samples.h"
#include "tests/toolkit/fake_window_system.h"
#include "toolkit/platform.h"

using namespace ovek;

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

faketk::FakeWindowSystem windows;

// Start-up happens once per program, as in the program itself.
class StartUp : public ::testing::Environment {
public:
    void SetUp() override
    {
        MYPLAT.init(&windows, 866, 621);
        init();
        MYPLAT.setSize(866, 592);
    }
};
const auto* const kStartUp = ::testing::AddGlobalTestEnvironment(new StartUp);

// A press and release at a point of the root, as the window reports them.
void clickAt(int x, int y)
{
    Component* root = MYPLAT.getRootComponent();
    root->fireMouseEvent(x, y, MOUSE_BUTTON1, MOUSE_MOVE);
    root->fireMouseEvent(x, y, MOUSE_BUTTON1, MOUSE_DOWN);
    root->fireMouseEvent(x, y, MOUSE_BUTTON1, MOUSE_UP);
}

void click(const Component& c)
{
    clickAt(c.left + c.width / 2, c.top + c.height / 2);
}

// Which screens show: p pattern, e editor, 3 pane, d depth picture, i image.
std::string shown()
{
    std::string s;
    s += patternPane->isVisible() ? "p" : "";
    s += modelEdit->isVisible() ? "e" : "";
    s += pane3D->isVisible() ? "3" : "";
    s += imageModel->isVisible() ? "d" : "";
    s += imagePane->isVisible() ? "i" : "";
    return s;
}

int meshPoints()
{
    return int(model3D.points.size());
}

class Screens : public ::testing::Test {
protected:
    // Back to the state start-up leaves.
    void SetUp() override
    {
        MYPLAT.setSize(866, 592);
        ASSERT_TRUE(openModelFile(kDemo + "demo.3ds", &model3D));
        ASSERT_TRUE(openPattern(kDemo + "pattern.bmp"));
        modelType = MODEL_TYPE_3D;
        tabs::setState(MAIN_STATE_PATTERN);
        windows.calls.clear();
        windows.dialogAnswer.clear();
    }

    // Answers the next file dialog with path, then clicks the button.
    void choose(const std::string& path, ImageButton& button)
    {
        windows.dialogAnswer = path;
        click(button);
        windows.dialogAnswer.clear();
    }

    std::vector<std::string> messages() const
    {
        std::vector<std::string> m;
        for (const std::string& call : windows.calls)
            if (call.rfind("message ", 0) == 0)
                m.push_back(call);
        return m;
    }

    std::vector<std::string> titles() const
    {
        std::vector<std::string> t;
        for (const std::string& call : windows.calls)
            if (call.rfind("title ", 0) == 0)
                t.push_back(call.substr(6));
        return t;
    }

    std::vector<std::string> filterLabels() const
    {
        std::vector<std::string> labels;
        for (const FileFilter& f : windows.lastFilters)
            labels.push_back(f.label + " " + f.pattern);
        return labels;
    }

    testutil::TempDir dir;
};

TEST_F(Screens, StartUpShowsThePatternTabWithTheDemoPatternAndMesh)
{
    EXPECT_EQ(main_state, MAIN_STATE_PATTERN);
    EXPECT_EQ(shown(), "p");
    ASSERT_NE(patternPane->getImage(), nullptr);
    Image demo(nullptr, 1, 1);
    ASSERT_TRUE(demo.loadImage(kDemo + "pattern.bmp"));
    EXPECT_EQ(patternPane->getImage()->pixels, demo.pixels);
    EXPECT_GT(meshPoints(), 0);
    EXPECT_EQ(model3DSence.getEvent(0), &model3D);
    EXPECT_EQ(pane3D->getParent(), modelEdit);
    // Tabs, then buttons, are the topmost children, over the background.
    Component* root = MYPLAT.getRootComponent();
    EXPECT_EQ(root->getComponentAt(0), backPane);
    EXPECT_EQ(root->getComponentAt(root->getComponentCount() - 1), &buttons::button_save);
    EXPECT_STREQ(buttons::button_open.tooltipText, "\xb4\xf2\xbf\xaa");
}

TEST_F(Screens, EachTabShowsItsScreenAndEnablesItsButtons)
{
    struct Row {
        SelectImageButton* tab;
        int modelType;
        int state;
        const char* shown;
        bool openEnabled;
        bool saveEnabled;
    };
    const Row rows[] = {
        {&tabs::modelMenu, MODEL_TYPE_3D, MAIN_STATE_MODEL, "e3", true, true},
        {&tabs::imageMenu, MODEL_TYPE_3D, MAIN_STATE_IMAGE, "i", false, true},
        {&tabs::patternMenu, MODEL_TYPE_3D, MAIN_STATE_PATTERN, "p", true, false},
        {&tabs::modelMenu, MODEL_TYPE_IMAGE, MAIN_STATE_MODEL, "d", true, true},
        {&tabs::imageMenu, MODEL_TYPE_IMAGE, MAIN_STATE_IMAGE, "i", false, true},
        {&tabs::patternMenu, MODEL_TYPE_IMAGE, MAIN_STATE_PATTERN, "p", true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.shown);
        modelType = r.modelType;
        click(*r.tab);
        EXPECT_EQ(main_state, r.state);
        EXPECT_EQ(shown(), r.shown);
        EXPECT_EQ(buttons::button_open.isEnabled(), r.openEnabled);
        EXPECT_EQ(buttons::button_save.isEnabled(), r.saveEnabled);
        EXPECT_TRUE(buttons::button_produce.isEnabled());
        for (SelectImageButton* tab : {&tabs::patternMenu, &tabs::modelMenu, &tabs::imageMenu})
            EXPECT_EQ(tab->isSelected(), tab == r.tab);
    }
}

TEST_F(Screens, ResizingTheRootLaysTheWindowOut)
{
    struct Bounds {
        int left, top, width, height;
        bool operator==(const Bounds& o) const
        {
            return left == o.left && top == o.top && width == o.width && height == o.height;
        }
    };
    auto of = [](const Component* c) { return Bounds{c->left, c->top, c->width, c->height}; };
    struct Row {
        int width, height;
        int bar;                       // top of tabs, buttons and bar
        Bounds pane, editor, back;
    };
    const Row rows[] = {
        {866, 592, 554, {0, 38, 866, 516}, {0, 0, 866, 554}, {183, 168, 500, 180}},
        {1000, 700, 662, {0, 38, 1000, 624}, {0, 0, 1000, 662}, {250, 222, 500, 180}},
        // A main window 300 high, and one 100 high: no room left for the pane.
        {866, 270, 232, {0, 38, 866, 194}, {0, 0, 866, 232}, {183, 7, 500, 180}},
        {866, 70, 32, {0, 38, 866, 0}, {0, 0, 866, 32}, {183, -93, 500, 180}},
        {61, 31, -7, {0, 38, 61, 0}, {0, 0, 61, 0}, {-219, -112, 500, 180}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.width) + " x " + std::to_string(r.height));
        MYPLAT.setSize(r.width, r.height);
        const int w = r.width, t = r.bar;
        EXPECT_TRUE(of(&tabs::patternMenu) == (Bounds{10, t, 100, 38}));
        EXPECT_TRUE(of(&tabs::modelMenu) == (Bounds{110, t, 100, 38}));
        EXPECT_TRUE(of(&tabs::imageMenu) == (Bounds{210, t, 120, 38}));
        EXPECT_TRUE(of(&tabs::bottomBarComponent) == (Bounds{0, t, w, 38}));
        EXPECT_TRUE(of(&buttons::button_open) == (Bounds{w - 250, t, 33, 38}));
        EXPECT_TRUE(of(&buttons::button_produce) == (Bounds{w - 200, t, 25, 38}));
        EXPECT_TRUE(of(&buttons::button_save) == (Bounds{w - 160, t, 25, 38}));
        EXPECT_TRUE(of(pane3D) == r.pane);
        EXPECT_TRUE(of(modelEdit) == r.editor);
        EXPECT_TRUE(of(backPane) == r.back);
        if (t > 0) {
            // The tabs answer clicks where they now are.
            click(tabs::modelMenu);
            EXPECT_EQ(main_state, MAIN_STATE_MODEL);
            click(tabs::patternMenu);
            EXPECT_EQ(main_state, MAIN_STATE_PATTERN);
        }
    }
}

TEST(Pictures, AMissingOrBrokenPictureStaysEmptyAndIsNamedOnce)
{
    testutil::TempDir dir;
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::filesystem::create_directory("ui");
    testutil::writeFile("ui/broken.bmp", "BM");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(loadPicture("ui/broken.bmp"), nullptr);
    EXPECT_EQ(loadPicture("ui/missing.bmp"), nullptr);
    const std::string err = ::testing::internal::GetCapturedStderr();
    std::filesystem::current_path(home);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    EXPECT_NE(err.find("pexolen: cannot read 'ui/broken.bmp': "), std::string::npos) << err;
    EXPECT_NE(err.find("pexolen: cannot read 'ui/missing.bmp': "), std::string::npos) << err;
}

TEST(SaveName, ResultsAreSavedAsBMP)
{
    const std::pair<const char*, const char*> rows[] = {
        {"out", "out.bmp"},   {"OUT.BMP", "OUT.BMP"}, {"a.bm", "a.bm.bmp"},
        {"x.Bmp", "x.Bmp"},   {"bmp", "bmp.bmp"},     {"/d/.bmp", "/d/.bmp"},
        {"a.bmp.om", "a.bmp.om.bmp"},
    };
    for (const auto& [chosen, saved] : rows)
        EXPECT_EQ(bmpSaveName(chosen), saved) << chosen;
}

TEST_F(Screens, OpenOnTheModelTabGoesByTheEndingAndAFailureChangesNothing)
{
    std::filesystem::copy_file(kDemo + "demo.3ds", dir.file("cube.3DS"));
    std::filesystem::copy_file(kDemo + "depth.bmp", dir.file("depth.BMP"));
    Component3D small;
    meshtest::addPoints(small, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    meshtest::addFace(small, 0, 1, 2);
    ASSERT_TRUE(saveModel(dir.file("three.Om").c_str(), &small));
    testutil::writeFile(dir.file("bad.3ds"), "not a 3DS file");
    testutil::writeFile(dir.file("bad.om"), std::string(11, '\0'));
    testutil::writeFile(dir.file("bad.bmp"), "BM not a picture");
    testutil::writeFile(dir.file("cube.Obj"), samples::cubeOBJ());
    testutil::writeFile(dir.file("bad.stl"), samples::cubeSTLBinary().substr(0, 200));

    const int demoPoints = meshPoints();
    struct Row {
        std::string file;
        bool opens;
        int type;          // the model type it gives when it opens
        int points;        // mesh points afterwards
    };
    const Row rows[] = {
        {"cube.3DS", true, MODEL_TYPE_3D, demoPoints},
        {"three.Om", true, MODEL_TYPE_3D, 3},
        {"cube.Obj", true, MODEL_TYPE_3D, 8},
        {"bad.stl", false, MODEL_TYPE_3D, demoPoints},
        {"depth.BMP", true, MODEL_TYPE_IMAGE, demoPoints},
        {"bad.3ds", false, MODEL_TYPE_3D, demoPoints},
        {"bad.om", false, MODEL_TYPE_3D, demoPoints},
        {"missing.3ds", false, MODEL_TYPE_3D, demoPoints},
        {"bad.bmp", false, MODEL_TYPE_IMAGE, demoPoints},
        {"missing.png", false, MODEL_TYPE_IMAGE, demoPoints},
    };
    click(tabs::modelMenu);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        ASSERT_TRUE(openModelFile(kDemo + "demo.3ds", &model3D));
        // Start from the other depth source, so that any switch shows.
        modelType = r.type == MODEL_TYPE_3D ? MODEL_TYPE_IMAGE : MODEL_TYPE_3D;
        tabs::setState(MAIN_STATE_MODEL);
        const std::string before = shown();
        const Image* depthBefore = imageModel->getImage();
        modelEdit->updateHistory();   // something to undo, unless the history restarts
        windows.calls.clear();

        choose(dir.file(r.file), buttons::button_open);
        EXPECT_EQ(filterLabels(),
                  (std::vector<std::string>{
                      "3DS Files(*.3ds) *.3ds", "Ovek Model File(*.om) *.om",
                      "BMP Files(*.bmp) *.bmp",
                      "Other Models(*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae) "
                      "*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae"}));
        EXPECT_EQ(meshPoints(), r.points);
        if (r.opens) {
            EXPECT_TRUE(messages().empty());
            EXPECT_EQ(modelType, r.type);
            EXPECT_EQ(shown(), r.type == MODEL_TYPE_3D ? "e3" : "d");
            EXPECT_EQ(modelEdit->history.historyCurrent == 0, r.type == MODEL_TYPE_3D);
            if (r.type == MODEL_TYPE_IMAGE) {
                EXPECT_EQ(imageModel->getImage()->getWidth(), 640);
            }
        } else {
            ASSERT_EQ(messages().size(), 1u);
            EXPECT_NE(messages()[0].find("Cannot open '" + dir.file(r.file) + "':\n"),
                      std::string::npos)
                << messages()[0];
            EXPECT_NE(modelType, r.type);
            EXPECT_EQ(shown(), before);
            EXPECT_EQ(imageModel->getImage(), depthBefore);
            EXPECT_GT(modelEdit->history.historyCurrent, 0);
        }
    }
}

TEST_F(Screens, OpenOnThePatternTabReplacesThePatternOnlyWithAPicture)
{
    Image red(nullptr, 7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            red.setColor(x, y, 0, 0, 255);
    ASSERT_TRUE(red.writeBMPFile(dir.file("red.bmp")));
    testutil::writeFile(dir.file("bad.bmp"), "BM");

    choose(dir.file("red.bmp"), buttons::button_open);
    EXPECT_EQ(filterLabels(), (std::vector<std::string>{"BMP Files(*.bmp) *.bmp"}));
    const Image* pattern = patternPane->getImage();
    EXPECT_EQ(pattern->pixels, red.pixels);

    choose(dir.file("bad.bmp"), buttons::button_open);
    EXPECT_EQ(patternPane->getImage(), pattern);
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(main_state, MAIN_STATE_PATTERN);

    windows.calls.clear();
    choose("", buttons::button_open);   // cancelled
    EXPECT_EQ(patternPane->getImage(), pattern);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"open"}));

    // Save is disabled here, open on the image tab.
    windows.calls.clear();
    choose(dir.file("x.bmp"), buttons::button_save);
    click(tabs::imageMenu);
    choose(dir.file("red.bmp"), buttons::button_open);
    EXPECT_TRUE(windows.calls.empty());
}

// The window's produce and save give the very file "pexolen produce" writes.
TEST_F(Screens, ProduceAndSaveGiveTheCommandLinesPicture)
{
    struct Row {
        std::string depth;      // empty: the mesh
        std::string saveAs;
        std::string saved;
        std::string cli;
        int width, height;
    };
    const Row rows[] = {
        {"", "mesh", "mesh.bmp", "produce --size 866x554", 866, 554},
        {kDemo + "depth.bmp", "depth.BMP", "depth.BMP", "produce --depth " + kDemo + "depth.bmp",
         800, 600},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.saved);
        if (!r.depth.empty()) {
            click(tabs::modelMenu);
            choose(r.depth, buttons::button_open);
            ASSERT_EQ(modelType, MODEL_TYPE_IMAGE);
        }
        const Image* previous = imagePane->getImage();
        windows.calls.clear();
        click(buttons::button_produce);
        EXPECT_EQ(titles(), (std::vector<std::string>{kBusyTitle, kMainTitle}));
        EXPECT_EQ(main_state, MAIN_STATE_IMAGE);
        EXPECT_EQ(shown(), "i");
        ASSERT_NE(imagePane->getImage(), nullptr);
        EXPECT_NE(imagePane->getImage(), previous);
        EXPECT_EQ(imagePane->width, r.width);
        EXPECT_EQ(imagePane->height, r.height);

        choose(dir.file(r.saveAs), buttons::button_save);
        EXPECT_EQ(filterLabels(), (std::vector<std::string>{"BMP Files(*.bmp) *.bmp"}));
        const testutil::Outcome cli = testutil::pexolen(r.cli + " -o " + dir.file("cli.bmp"));
        ASSERT_EQ(cli.status, 0) << cli.err;
        const std::string ours = testutil::readFile(dir.file(r.saved));
        ASSERT_FALSE(ours.empty());
        EXPECT_TRUE(ours == testutil::readFile(dir.file("cli.bmp")));
    }
}

TEST_F(Screens, FailedSavesAreReported)
{
    click(buttons::button_produce);
    const std::string nowhere = dir.file("missing/out.bmp");
    choose(nowhere, buttons::button_save);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("Cannot save '" + nowhere + "'"), std::string::npos);

    // The model tab saves the mesh as it is, with the name as chosen.
    click(tabs::modelMenu);
    windows.calls.clear();
    choose(dir.file("mesh"), buttons::button_save);
    EXPECT_EQ(filterLabels(),
              (std::vector<std::string>{"MOD Files(*.om) *.om", "OBJ Files(*.obj) *.obj",
                                        "STL Files(*.stl) *.stl", "PLY Files(*.ply) *.ply"}));
    Component3D saved;
    ASSERT_TRUE(loadModel(dir.file("mesh").c_str(), &saved));
    EXPECT_EQ(saved.points.size(), model3D.points.size());
    choose(dir.file("missing/mesh.om"), buttons::button_save);
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(Screens, AWindowTooLowForAPictureRefusesToProduce)
{
    MYPLAT.setSize(866, 31);
    const Image* previous = imagePane->getImage();
    buttons::produceImageButtonClicked(0, 0, MOUSE_BUTTON1, &buttons::button_produce, 0, 0, false);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("866 x 0"), std::string::npos) << messages()[0];
    EXPECT_EQ(imagePane->getImage(), previous);
    EXPECT_EQ(main_state, MAIN_STATE_PATTERN);
    EXPECT_EQ(titles(), (std::vector<std::string>{kBusyTitle, kMainTitle}));
}

// A program named xdg-open first on the search path records its arguments.
class HomePage : public Screens {
protected:
    void SetUp() override
    {
        Screens::SetUp();
        testutil::writeFile(dir.file("xdg-open"),
                            "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done >> \"$0.calls\"\n");
        std::filesystem::permissions(dir.file("xdg-open"), std::filesystem::perms::owner_all);
        oldPath = std::getenv("PATH");
        setenv("PATH", (dir.path().string() + ":" + oldPath).c_str(), 1);
    }
    void TearDown() override { setenv("PATH", oldPath.c_str(), 1); }

    // The recorded calls once count of them arrived (or after 10 s).
    std::string calls(size_t count)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::string text;
        while (std::chrono::steady_clock::now() < deadline) {
            text = testutil::readFile(dir.file("xdg-open.calls"));
            if (size_t(std::count(text.begin(), text.end(), '\n')) >= count)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return text;
    }

    std::string oldPath;
};

TEST_F(HomePage, TheBackgroundOpensTheHomePageWhereTheEditorDoesNotCoverIt)
{
    const int x = backPane->left + backPane->width / 2, y = backPane->top + backPane->height / 2;
    click(tabs::modelMenu);
    clickAt(x, y);   // the editor covers the picture: nothing opens
    click(tabs::patternMenu);
    clickAt(x, y);
    modelType = MODEL_TYPE_IMAGE;   // the depth picture takes no clicks
    click(tabs::modelMenu);
    clickAt(x, y);
    const std::string link = "[" + std::string(kHomePage) + "]\n";
    EXPECT_EQ(calls(2), link + link);
}

TEST_F(HomePage, CommandsGetTheirArgumentsUntouchedByAnyShell)
{
    runCommand({"xdg-open", "a b; touch pwned", "$(id)"});
    EXPECT_EQ(calls(2), "[a b; touch pwned]\n[$(id)]\n");
    EXPECT_FALSE(std::filesystem::exists("pwned"));
}

}  // namespace
