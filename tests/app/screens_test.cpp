// The screens driven through the root component as the window would drive
// them, on a fake window system that answers the file dialogs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/data_files.h"
#include "app/screens.h"
#include "mesh/model_file.h"
#include "mesh/model_open.h"
#include "tests/app/fake_screens.h"
#include "tests/app/run_pexolen.h"
#include "tests/mesh/mesh_builders.h"
#include "tests/mesh/model_samples.h"
#include "tests/toolkit/fake_window_system.h"
#include "toolkit/picture_loader.h"
#include "toolkit/platform.h"
#include "toolkit/window_procedure.h"
#include "tools/threeds_writer.h"

using namespace ovek;

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

faketk::FakeWindowSystem windows;

NoPaneRenderer renderer;

std::unique_ptr<ovek::Screens> screens;

// Start-up happens once per program, as in the program itself.
class StartUp : public ::testing::Environment {
public:
    void SetUp() override
    {
        MYPLAT.init(&windows, 866, 591);
        screens = std::make_unique<ovek::Screens>(MYPLAT, renderer);
    }
    void TearDown() override
    {
        screens.reset();
        MYPLAT.reset();
    }
};
const auto* const kStartUp = ::testing::AddGlobalTestEnvironment(new StartUp);

// Which screens show: p pattern, e editor, 3 pane, d depth picture, i image.
std::string shown()
{
    std::string s;
    s += screens->patternPane.isVisible() ? "p" : "";
    s += screens->modelEdit.isVisible() ? "e" : "";
    s += screens->pane3D->isVisible() ? "3" : "";
    s += screens->imageModel.isVisible() ? "d" : "";
    s += screens->imagePane.isVisible() ? "i" : "";
    return s;
}

int meshPoints()
{
    return int(screens->model3D.points.size());
}

class ScreensTest : public ::testing::Test {
protected:
    // Back to the state start-up leaves.
    void SetUp() override
    {
        MYPLAT.setSize(866, 591);
        ASSERT_TRUE(screens->openOnModelTab(kDemo + "demo.3ds"));
        ASSERT_TRUE(screens->openPattern(kDemo + "pattern.bmp"));
        screens->modelType = MODEL_TYPE_3D;
        screens->setState(MAIN_STATE_PATTERN);
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

TEST_F(ScreensTest, StartUpShowsThePatternTabWithTheDemoPatternAndMesh)
{
    EXPECT_EQ(screens->main_state, MAIN_STATE_PATTERN);
    EXPECT_EQ(shown(), "p");
    ASSERT_NE(screens->patternPane.getImage(), nullptr);
    Image demo(nullptr, 1, 1);
    ASSERT_TRUE(demo.loadImage(kDemo + "pattern.bmp"));
    EXPECT_EQ(screens->patternPane.getImage()->pixels, demo.pixels);
    EXPECT_GT(meshPoints(), 0);
    EXPECT_EQ(screens->model3DSence.getEvent(0), &screens->model3D);
    EXPECT_EQ(screens->pane3D->getParent(), &screens->modelEdit);
    // Tabs, then buttons, are the topmost children, over the background.
    Component* root = MYPLAT.getRootComponent();
    EXPECT_EQ(root->getComponentAt(0), &screens->backPane);
    EXPECT_EQ(root->getComponentAt(root->getComponentCount() - 1), &screens->button_save);
    EXPECT_STREQ(screens->button_open.tooltipText, "Open (Ctrl+O)");   // no catalogue: English
}

TEST_F(ScreensTest, EachTabShowsItsScreenAndEnablesItsButtons)
{
    struct Row {
        SelectImageButton* tab;
        int modelType;
        int state;
        const char* shown;
        bool openEnabled;
        bool saveEnabled;
    };
    screens->imagePane.setImage(nullptr);   // no result yet: nothing to save
    const Row rows[] = {
        {&screens->modelMenu, MODEL_TYPE_3D, MAIN_STATE_MODEL, "e3", true, true},
        {&screens->imageMenu, MODEL_TYPE_3D, MAIN_STATE_IMAGE, "i", false, false},
        {&screens->patternMenu, MODEL_TYPE_3D, MAIN_STATE_PATTERN, "p", true, false},
        {&screens->modelMenu, MODEL_TYPE_IMAGE, MAIN_STATE_MODEL, "d", true, true},
        {&screens->imageMenu, MODEL_TYPE_IMAGE, MAIN_STATE_IMAGE, "i", false, false},
        {&screens->patternMenu, MODEL_TYPE_IMAGE, MAIN_STATE_PATTERN, "p", true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.shown);
        screens->modelType = r.modelType;
        click(*r.tab);
        EXPECT_EQ(screens->main_state, r.state);
        EXPECT_EQ(shown(), r.shown);
        EXPECT_EQ(screens->button_open.isEnabled(), r.openEnabled);
        EXPECT_EQ(screens->button_save.isEnabled(), r.saveEnabled);
        EXPECT_TRUE(screens->button_produce.isEnabled());
        for (SelectImageButton* tab : {&screens->patternMenu, &screens->modelMenu, &screens->imageMenu})
            EXPECT_EQ(tab->isSelected(), tab == r.tab);
    }
}

// After any resize each tab and button answers a click at the place the user
// sees it: the bar along the bottom, the buttons kept from the right edge.
TEST_F(ScreensTest, AfterAResizeEveryTabAndButtonAnswersWhereItShows)
{
    const struct {
        int width, height;
    } sizes[] = {{866, 591}, {1000, 700}, {640, 270}, {866, 70}};
    auto clickBar = [](int x, int rootHeight) { clickAt(x, rootHeight - 19); };
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        MYPLAT.setSize(size.width, size.height);
        const int w = size.width, h = size.height;
        windows.calls.clear();
        clickBar(160, h);   // model tab
        EXPECT_EQ(screens->main_state, MAIN_STATE_MODEL);
        clickBar(w - 160 + 12, h);   // save: the mesh's dialog
        clickBar(60, h);    // pattern tab
        EXPECT_EQ(screens->main_state, MAIN_STATE_PATTERN);
        clickBar(w - 250 + 16, h);   // open: the pattern's dialog
        clickBar(w - 200 + 12, h);   // produce
        clickBar(270, h);   // image tab
        EXPECT_EQ(screens->main_state, MAIN_STATE_IMAGE);
        std::vector<std::string> asked;
        for (const std::string& call : windows.calls)
            if (call == "open" || call == "save" || call.rfind("title ", 0) == 0)
                asked.push_back(call.substr(0, 5));
        EXPECT_EQ(asked, (std::vector<std::string>{"save", "open", "title", "title"}));
        // The editor reaches down to the bar; the pane below its toolbar
        // never gets a negative height, however low the window.
        EXPECT_EQ(screens->modelEdit.height, h - 38);
        EXPECT_GE(screens->pane3D->height, 0);
        EXPECT_EQ(screens->pane3D->width, w);
    }
}

TEST(Pictures, AMissingOrBrokenPictureStaysEmptyAndIsNamedOnce)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("broken.bmp"), "BM");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(loadPicture(dir.file("broken.bmp")), nullptr);
    EXPECT_EQ(loadPicture(dir.file("missing.bmp")), nullptr);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    EXPECT_NE(err.find("pexolen: cannot read '" + dir.file("broken.bmp") + "': "),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("pexolen: cannot read '" + dir.file("missing.bmp") + "': "),
              std::string::npos)
        << err;
}

TEST_F(ScreensTest, OpenOnTheModelTabGoesByTheEndingAndAFailureChangesNothing)
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
    click(screens->modelMenu);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        ASSERT_TRUE(screens->openOnModelTab(kDemo + "demo.3ds"));
        // Start from the other depth source, so that any switch shows.
        screens->modelType = r.type == MODEL_TYPE_3D ? MODEL_TYPE_IMAGE : MODEL_TYPE_3D;
        screens->setState(MAIN_STATE_MODEL);
        const std::string before = shown();
        const Image* depthBefore = screens->imageModel.getImage();
        screens->modelEdit.updateHistory();   // something to undo, unless the history restarts
        windows.calls.clear();

        choose(dir.file(r.file), screens->button_open);
        EXPECT_EQ(filterLabels().front(),
                  "Models and Depth Pictures(*.3ds;*.om;*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;"
                  "*.fbx;*.dae;*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.pbm;*.pgm;*.ppm;*.pnm;*.pam) "
                  "*.3ds;*.om;*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae;*.bmp;*.png;"
                  "*.jpg;*.jpeg;*.gif;*.pbm;*.pgm;*.ppm;*.pnm;*.pam");
        EXPECT_EQ(meshPoints(), r.points);
        if (r.opens) {
            EXPECT_TRUE(messages().empty());
            EXPECT_EQ(screens->modelType, r.type);
            EXPECT_EQ(shown(), r.type == MODEL_TYPE_3D ? "e3" : "d");
            EXPECT_EQ(screens->modelEdit.history.historyCurrent == 0, r.type == MODEL_TYPE_3D);
            if (r.type == MODEL_TYPE_IMAGE) {
                EXPECT_EQ(screens->imageModel.getImage()->getWidth(), 640);
            }
        } else {
            ASSERT_EQ(messages().size(), 1u);
            EXPECT_NE(messages()[0].find("Cannot open '" + dir.file(r.file) + "':\n"),
                      std::string::npos)
                << messages()[0];
            EXPECT_NE(screens->modelType, r.type);
            EXPECT_EQ(shown(), before);
            EXPECT_EQ(screens->imageModel.getImage(), depthBefore);
            EXPECT_GT(screens->modelEdit.history.historyCurrent, 0);
        }
    }
}

TEST_F(ScreensTest, AModelCutShortOpensAsFarAsItGoesAndTheUserIsTold)
{
    threeds::Object first;
    first.vertices = {{0, 0, 0}, {2, 0, 0}, {0, 2, 1}};
    first.faces = {{0, 1, 2}};
    threeds::Object second = first;
    second.name = "second";
    const std::string whole = threeds::file({first, second});
    testutil::writeFile(dir.file("cut.3ds"), whole.substr(0, whole.find("second") + 30));
    click(screens->modelMenu);
    choose(dir.file("cut.3ds"), screens->button_open);
    EXPECT_EQ(meshPoints(), 3) << "the complete first mesh is kept";
    EXPECT_EQ(shown(), "e3");
    const std::vector<std::string> m = messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].rfind("message Pexolen: Opened in part from '" + dir.file("cut.3ds") + "'", 0),
              0u)
        << m[0];
}

// The fake window system makes no OpenGL pane, as a display without OpenGL.
TEST_F(ScreensTest, WithoutAViewTheEditorHasNoPaneAndClicksThereEditNothing)
{
    EXPECT_TRUE(screens->modelEdit.panes.empty());
    EXPECT_EQ(screens->modelEdit.overlayDrawer, nullptr);
    click(screens->modelMenu);
    screens->modelEdit.setModelEditState(ModelEdit::TOOL_INSERT_BOX);
    const int points = meshPoints(), snapshot = screens->modelEdit.history.historyCurrent;
    clickAt(screens->pane3D->left + screens->pane3D->width / 2, screens->pane3D->top + screens->pane3D->height / 2);
    EXPECT_EQ(meshPoints(), points);
    EXPECT_EQ(screens->modelEdit.history.historyCurrent, snapshot);
    screens->modelEdit.setModelEditState(ModelEdit::TOOL_ROTATE);
}

TEST_F(ScreensTest, OpenOnThePatternTabReplacesThePatternOnlyWithAPicture)
{
    Image red(nullptr, 7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            red.setColor(x, y, 0, 0, 255);
    ASSERT_TRUE(red.writeBMPFile(dir.file("red.bmp")));
    testutil::writeFile(dir.file("bad.bmp"), "BM");

    choose(dir.file("red.bmp"), screens->button_open);
    EXPECT_EQ(filterLabels().front(),
              "Pictures(*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.pbm;*.pgm;*.ppm;*.pnm;*.pam) "
              "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.pbm;*.pgm;*.ppm;*.pnm;*.pam");
    const Image* pattern = screens->patternPane.getImage();
    EXPECT_EQ(pattern->pixels, red.pixels);

    choose(dir.file("bad.bmp"), screens->button_open);
    EXPECT_EQ(screens->patternPane.getImage(), pattern);
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(screens->main_state, MAIN_STATE_PATTERN);

    windows.calls.clear();
    choose("", screens->button_open);   // cancelled
    EXPECT_EQ(screens->patternPane.getImage(), pattern);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"open"}));

    // Save is disabled here, open on the image tab.
    windows.calls.clear();
    choose(dir.file("x.bmp"), screens->button_save);
    click(screens->imageMenu);
    choose(dir.file("red.bmp"), screens->button_open);
    EXPECT_TRUE(windows.calls.empty());
}

// The window's produce and save give the very file "pexolen produce" writes.
TEST_F(ScreensTest, ProduceAndSaveGiveTheCommandLinesPicture)
{
    struct Row {
        std::string depth;      // empty: the mesh
        std::string saveAs;
        std::string saved;
        std::string cli;
        int width, height;
    };
    const Row rows[] = {
        {"", "mesh", "mesh.bmp", "produce --size 866x553", 866, 553},
        {kDemo + "depth.bmp", "depth.BMP", "depth.BMP", "produce --depth " + kDemo + "depth.bmp",
         800, 600},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.saved);
        if (!r.depth.empty()) {
            click(screens->modelMenu);
            choose(r.depth, screens->button_open);
            ASSERT_EQ(screens->modelType, MODEL_TYPE_IMAGE);
        }
        const Image* previous = screens->imagePane.getImage();
        windows.calls.clear();
        click(screens->button_produce);
        // No busy title when the live stereogram was ready and only shown;
        // otherwise back to the title it had, with its note on what was opened.
        if (!titles().empty()) {
            EXPECT_EQ(titles(), (std::vector<std::string>{busyTitle(), screens->titleText()}));
        }
        EXPECT_EQ(screens->main_state, MAIN_STATE_IMAGE);
        EXPECT_EQ(shown(), "i");
        ASSERT_NE(screens->imagePane.getImage(), nullptr);
        EXPECT_NE(screens->imagePane.getImage(), previous);
        EXPECT_EQ(screens->imagePane.getImage()->getWidth(), r.width);
        EXPECT_EQ(screens->imagePane.getImage()->getHeight(), r.height);

        choose(dir.file(r.saveAs), screens->button_save);
        const testutil::Outcome cli = testutil::pexolen(r.cli + " -o " + dir.file("cli.bmp"));
        ASSERT_EQ(cli.status, 0) << cli.err;
        const std::string ours = testutil::readFile(dir.file(r.saved));
        ASSERT_FALSE(ours.empty());
        EXPECT_TRUE(ours == testutil::readFile(dir.file("cli.bmp")));
    }
}

// Zoomed, scrolled and 1:1, the panes still hold the whole pictures: the
// result saved is the command line's, and a depth picture in colour is kept
// and produced from as it is.
TEST_F(ScreensTest, TheSavedResultIsTheWholePictureWhateverTheZoom)
{
    Image colour(nullptr, 1000, 700);   // larger than the pane
    for (int y = 0; y < 700; ++y)
        for (int x = 0; x < 1000; ++x)
            colour.setColor(x, y, (x * 3 + y) & 255, (x ^ y) & 255, (y * 5 - x) & 255);
    const std::string depth = dir.file("colour.bmp");
    ASSERT_TRUE(colour.writeBMPFile(depth));

    const auto zoomAround = [&] {
        Component* root = MYPLAT.getRootComponent();
        root->fireKeyEvent(0x31, OVEK_DOWN);   // 1:1
        dispatchWheelMessage(MYPLAT, 200, 150, -3);
        dispatchMouseMessage(MYPLAT, MouseMessage::LeftDown, 200, 150);
        dispatchMouseMessage(MYPLAT, MouseMessage::Move, 100, 90);
        dispatchMouseMessage(MYPLAT, MouseMessage::LeftUp, 100, 90);
        MYPLAT.repaint();
        MYPLAT.flush();
    };
    click(screens->modelMenu);
    choose(depth, screens->button_open);
    ASSERT_EQ(screens->modelType, MODEL_TYPE_IMAGE);
    EXPECT_TRUE(screens->imageModel.zoom.fitted);
    zoomAround();
    EXPECT_FALSE(screens->imageModel.zoom.fitted);
    ASSERT_NE(screens->imageModel.getImage(), nullptr);
    EXPECT_EQ(screens->imageModel.getImage()->pixels, colour.pixels);

    click(screens->button_produce);
    ASSERT_EQ(screens->main_state, MAIN_STATE_IMAGE);
    EXPECT_TRUE(screens->imagePane.zoom.fitted);
    zoomAround();
    EXPECT_GT(screens->imagePane.zoom.scale, 1);
    EXPECT_GT(screens->imagePane.zoom.left, 0);
    choose(dir.file("zoomed.bmp"), screens->button_save);
    const testutil::Outcome cli =
        testutil::pexolen("produce --depth " + depth + " -o " + dir.file("cli.bmp"));
    ASSERT_EQ(cli.status, 0) << cli.err;
    const std::string ours = testutil::readFile(dir.file("zoomed.bmp"));
    ASSERT_FALSE(ours.empty());
    EXPECT_TRUE(ours == testutil::readFile(dir.file("cli.bmp")));

    // Fitted again (0), the depth picture lets clicks through to the card.
    click(screens->modelMenu);
    MYPLAT.getRootComponent()->fireKeyEvent(0x30, OVEK_DOWN);
    EXPECT_TRUE(screens->imageModel.zoom.fitted);
    EXPECT_FALSE(screens->imageModel.isPointIn(10, 10));
}

// The main loop's part: wait for the background run, then what a wake-up does.
void settleLive()
{
    screens->live->waitIdle();
    ASSERT_TRUE(MYPLAT.onWake);
    MYPLAT.onWake();
}

bool showsProductionOfCurrentInputs()
{
    const Image* shown = screens->imagePane.getImage();
    const std::unique_ptr<Image> direct = produceStereogram(screens->productionInput());
    return shown && direct && shown->width == direct->width && shown->height == direct->height &&
           shown->pixels == direct->pixels;
}

TEST_F(ScreensTest, TheImageTabFollowsEditsAndOpensWithoutProduce)
{
    settleLive();
    const int wakesBefore = windows.wakes;
    // A drag step of the rotate tool in view mode, as the pane would report it.
    ModelEdit& editor = screens->modelEdit;
    editor.setModelState(ModelEdit::MODEL_VIEW);
    editor.setModelEditState(ModelEdit::TOOL_ROTATE);
    InputMods held;
    held.leftButton = true;
    editor.editDragged(400, 300, 0, 12, 0, 12, nullptr, held);
    const unsigned dragged = screens->live->newest();
    settleLive();
    EXPECT_GT(windows.wakes, wakesBefore) << "the main loop was not woken";
    EXPECT_EQ(screens->liveShown, dragged);
    EXPECT_TRUE(showsProductionOfCurrentInputs()) << "after a drag step";
    // The model tab's preview: the result made small, in the pane's corner.
    const std::vector<uint32_t> firstPreview = screens->livePreview.pixels;
    EXPECT_GT(screens->livePreview.width, 20);
    EXPECT_LT(screens->livePreview.width, screens->pane3D->width / 2);
    EXPECT_GE(screens->livePreviewX(), screens->pane3D->width / 2);
    EXPECT_GE(screens->livePreviewY(), screens->pane3D->height / 2);

    // Undo, then a second step at once: only the newest request is shown.
    editor.doCommand(ModelEdit::COMMAND_UNDO);
    editor.editDragged(400, 300, 0, -7, 0, -7, nullptr, held);
    settleLive();
    EXPECT_EQ(screens->liveShown, screens->live->newest());
    EXPECT_TRUE(showsProductionOfCurrentInputs()) << "after undo and a step";
    EXPECT_NE(screens->livePreview.pixels, firstPreview) << "the preview did not follow";

    // Produce shows the live result as it is: no second production.
    const Image* live = screens->imagePane.getImage();
    windows.calls.clear();
    click(screens->button_produce);
    EXPECT_TRUE(titles().empty()) << "produced again";
    EXPECT_EQ(screens->imagePane.getImage(), live);
    EXPECT_EQ(shown(), "i");

    // A depth picture opened on the model tab, and a new pattern.
    ASSERT_TRUE(screens->openOnModelTab(kDemo + "depth.bmp"));
    settleLive();
    EXPECT_TRUE(showsProductionOfCurrentInputs()) << "after opening a depth picture";
    ASSERT_TRUE(screens->openPattern(kDemo + "depth.bmp"));
    settleLive();
    EXPECT_TRUE(showsProductionOfCurrentInputs()) << "after opening a pattern";
    screens->modelType = MODEL_TYPE_3D;
    screens->inputsChanged();
    settleLive();
}

// The settings panel shows on the image tab only, at its right edge above
// the bar wherever the window's edges are, and what is chosen there is what
// produce makes: the command line's picture for the same options.
TEST_F(ScreensTest, TheSettingsPanelSitsBesideTheResultAndProduceFollowsIt)
{
    faketk::FakeWindowSystem::FakeForm* form = windows.lastForm;
    ASSERT_NE(form, nullptr) << "the screens made no form";
    EXPECT_FALSE(form->shown);
    for (const auto& [w, h] : {std::pair{866, 591}, std::pair{1000, 700}}) {
        MYPLAT.setSize(w, h);
        click(screens->imageMenu);
        EXPECT_TRUE(form->shown);
        EXPECT_EQ(form->x + form->w, w);
        EXPECT_EQ(form->y, 0);
        EXPECT_EQ(form->y + form->h, h - 38);
        EXPECT_GT(form->w, 150);
        click(screens->modelMenu);
        EXPECT_FALSE(form->shown);
    }
    MYPLAT.setSize(866, 591);
    click(screens->imageMenu);
    SettingsPanel& panel = screens->settingsPanel;
    EXPECT_EQ(panel.form.value(panel.width), 866) << "the automatic size is the editor's";
    EXPECT_EQ(panel.form.value(panel.height), 553);
    const std::string repeat = panel.form.text(panel.backgroundRepeat);

    MYPLAT.needRepaint = false;
    panel.form.enterValue(panel.viewing, 1);
    panel.form.enterValue(panel.eyeSeparation, 150);
    panel.form.enterValue(panel.automaticSize, 0);
    panel.form.enterValue(panel.width, 300);
    panel.form.enterValue(panel.height, 200);
    EXPECT_TRUE(MYPLAT.needRepaint) << "a change asks for the result anew";
    EXPECT_NE(panel.form.text(panel.backgroundRepeat), repeat) << "the derived numbers follow";
    click(screens->button_produce);
    const Image* result = screens->imagePane.getImage();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->getWidth(), 300);
    choose(dir.file("ours.bmp"), screens->button_save);
    const testutil::Outcome cli = testutil::pexolen(
        "produce --cross-eyed --eye-separation 150 --size 300x200 -o " + dir.file("cli.bmp"));
    ASSERT_EQ(cli.status, 0) << cli.err;
    EXPECT_TRUE(testutil::readFile(dir.file("ours.bmp")) == testutil::readFile(dir.file("cli.bmp")));

    // Back to the design: the next tests start from it.
    screens->settings = StereogramSettings{};
    screens->outputWidth = screens->outputHeight = 0;
    screens->showSettings();
    EXPECT_EQ(panel.form.value(panel.automaticSize), 1);
    EXPECT_EQ(panel.form.value(panel.viewing), 0);
}

TEST_F(ScreensTest, FailedSavesAreReported)
{
    click(screens->button_produce);
    const std::string nowhere = dir.file("missing/out.bmp");
    choose(nowhere, screens->button_save);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("Cannot save '" + nowhere + "'"), std::string::npos);

    // The model tab saves the mesh as it is, as the program's own file.
    click(screens->modelMenu);
    windows.calls.clear();
    choose(dir.file("mesh"), screens->button_save);
    EXPECT_EQ(filterLabels(),
              (std::vector<std::string>{"Ovek Model File(*.om) *.om", "OBJ Files(*.obj) *.obj",
                                        "STL Files(*.stl) *.stl", "PLY Files(*.ply) *.ply"}));
    Component3D saved;
    ASSERT_TRUE(loadModel(dir.file("mesh.om").c_str(), &saved));
    EXPECT_EQ(saved.points.size(), screens->model3D.points.size());
    choose(dir.file("missing/mesh.om"), screens->button_save);
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(ScreensTest, AWindowTooLowForAPictureRefusesToProduce)
{
    MYPLAT.setSize(866, 31);
    const Image* previous = screens->imagePane.getImage();
    screens->produceImageButtonClicked();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("866 x 0"), std::string::npos) << messages()[0];
    EXPECT_EQ(screens->imagePane.getImage(), previous);
    EXPECT_EQ(screens->main_state, MAIN_STATE_PATTERN);
    // The title comes back and then notes the failure.
    ASSERT_EQ(titles().size(), 3u);
    EXPECT_EQ(titles()[1], mainTitle());
    EXPECT_NE(titles()[2].find("Cannot make the stereogram"), std::string::npos);
}

// A program named xdg-open first on the search path records its arguments.
class HomePage : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
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

TEST_F(HomePage, TheBackgroundAndF1OpenTheHelpPageWhereTheEditorDoesNotCoverIt)
{
    const int x = screens->backPane.left + screens->backPane.width / 2, y = screens->backPane.top + screens->backPane.height / 2;
    click(screens->modelMenu);
    clickAt(x, y);   // the editor covers the picture: nothing opens
    click(screens->patternMenu);
    clickAt(x, y);
    screens->modelType = MODEL_TYPE_IMAGE;   // the depth picture takes no clicks
    click(screens->modelMenu);
    clickAt(x, y);
    MYPLAT.getRootComponent()->fireKeyEvent(0x70, OVEK_DOWN);   // F1, on any tab
    MYPLAT.getRootComponent()->fireKeyEvent(0x71, OVEK_DOWN);   // F2: nothing
    const std::string page = findHelpPage();
    EXPECT_TRUE(std::filesystem::path(page).is_absolute()) << page;
    EXPECT_TRUE(std::filesystem::is_regular_file(page)) << page;
    EXPECT_TRUE(testutil::readFile(page).find("practice.png") != std::string::npos);
    const std::string link = "[" + page + "]\n";
    EXPECT_EQ(calls(3), link + link + link);
    EXPECT_TRUE(messages().empty());
}

TEST_F(HomePage, AnOpenerThatFailsOrIsMissingIsReportedWithThePagesPath)
{
    testutil::writeFile(dir.file("xdg-open"), "#!/bin/sh\nexit 3\n");
    openHelp(MYPLAT);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("exit status 3"), std::string::npos) << messages()[0];
    EXPECT_NE(messages()[0].find(findHelpPage()), std::string::npos) << messages()[0];

    setenv("PATH", dir.path().c_str(), 1);
    std::filesystem::remove(dir.file("xdg-open"));
    openHelp(MYPLAT);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_NE(messages()[1].find("xdg-open"), std::string::npos) << messages()[1];
    EXPECT_NE(messages()[1].find(findHelpPage()), std::string::npos) << messages()[1];
}

TEST_F(HomePage, CommandsGetTheirArgumentsUntouchedByAnyShell)
{
    runCommand({"xdg-open", "a b; touch pwned", "$(id)"});
    EXPECT_EQ(calls(2), "[a b; touch pwned]\n[$(id)]\n");
    EXPECT_FALSE(std::filesystem::exists("pwned"));
}

}  // namespace
