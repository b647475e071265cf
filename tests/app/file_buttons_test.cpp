// Save by name and no lost work, on the screens driven as the window drives
// them: a fake window system answers the file dialogs and the questions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "app/save_names.h"
#include "app/screens.h"
#include "mesh/model_file.h"
#include "mesh/model_open.h"
#include "mesh/model_writers.h"
#include "tests/app/fake_screens.h"
#include "tests/mesh/model_samples.h"
#include "tests/test_util.h"
#include "tests/toolkit/fake_window_system.h"
#include "toolkit/platform.h"

using namespace ovek;

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

// The name with each letter in a random case.
std::string randomCase(std::string name, std::mt19937& rng)
{
    for (char& c : name)
        if (std::isalpha(static_cast<unsigned char>(c)) && rng() % 2)
            c = char(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

const char* const kStems[] = {"out", "/tmp/a b/x", "bmp", "x.png.d/y", "moose", "bloom", "/d/"};

TEST(SaveNames, APictureKeepsAWrittenEndingAndAnythingElseBecomesABMP)
{
    const struct {
        const char* ending;
        PictureFormat format;
    } written[] = {{".bmp", PictureFormat::BMP},  {".png", PictureFormat::PNG},
                   {".jpg", PictureFormat::JPEG}, {".jpeg", PictureFormat::JPEG},
                   {".ppm", PictureFormat::PPM},  {".pnm", PictureFormat::PPM}};
    const char* const other[] = {"", ".bm", ".gif", ".tiff", ".om", ".png.txt", "png", ".jpeg~",
                                 ".p ng"};
    std::mt19937 rng(21);
    for (int round = 0; round < 20; ++round) {
        for (const char* stem : kStems) {
            for (const auto& w : written) {
                const std::string chosen = randomCase(std::string(stem) + w.ending, rng);
                const PictureSaveName name = pictureSaveName(chosen);
                EXPECT_EQ(name.path, chosen);
                EXPECT_EQ(name.format, w.format) << chosen;
            }
            for (const char* ending : other) {
                const std::string chosen = randomCase(std::string(stem) + ending, rng);
                const PictureSaveName name = pictureSaveName(chosen);
                EXPECT_EQ(name.path, chosen + ".bmp");
                EXPECT_EQ(name.format, PictureFormat::BMP) << chosen;
                // Saving again under the name given changes nothing more.
                EXPECT_EQ(pictureSaveName(name.path).path, name.path);
            }
        }
    }
}

TEST(SaveNames, AMeshNameAlwaysOpensAgainAsTheFileWritten)
{
    const char* const kept[] = {".om", ".obj", ".stl", ".ply"};
    const char* const other[] = {"", ".3ds", ".o", "om", ".omx", ".bmp", ".gltf", ".obj.bak"};
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        for (const char* stem : kStems) {
            for (const char* ending : kept) {
                const std::string chosen = randomCase(std::string(stem) + ending, rng);
                EXPECT_EQ(modelSaveName(chosen), chosen);
            }
            for (const char* ending : other) {
                const std::string chosen = randomCase(std::string(stem) + ending, rng);
                const std::string saved = modelSaveName(chosen);
                EXPECT_EQ(saved, chosen + ".om");
                // Written as the program's own file, read back as one.
                EXPECT_EQ(modelWriteFormatOf(saved), ModelWriteFormat::Native) << saved;
                EXPECT_EQ(modelKindOf(saved), ModelKind::Native) << saved;
            }
        }
    }
}

faketk::FakeWindowSystem windows;
NoPaneRenderer renderer;
std::unique_ptr<Screens> screens;

class StartUp : public ::testing::Environment {
public:
    void SetUp() override
    {
        MYPLAT.init(&windows, 866, 591);
        screens = std::make_unique<Screens>(MYPLAT, renderer);
    }
    void TearDown() override
    {
        screens.reset();
        MYPLAT.reset();
    }
};
const auto* const kStartUp = ::testing::AddGlobalTestEnvironment(new StartUp);

std::unique_ptr<Image> picture(const std::string& path)
{
    auto img = std::make_unique<Image>(nullptr, 1, 1);
    EXPECT_TRUE(img->loadImage(path)) << path;
    return img;
}

// The largest difference of one channel between two pictures of one size.
int worstChannel(const Image& a, const Image& b)
{
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight())
        return 256;
    int worst = 0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs((a.getColor(x, y) >> shift & 255) -
                                                 (b.getColor(x, y) >> shift & 255)));
    return worst;
}

class FileButtons : public ::testing::Test {
protected:
    void SetUp() override
    {
        MYPLAT.setSize(866, 591);
        ASSERT_TRUE(screens->openOnModelTab(kDemo + "demo.3ds"));
        screens->imagePane.setImage(nullptr);
        screens->resultUnsaved = false;
        screens->setState(MAIN_STATE_PATTERN);
        windows.calls.clear();
        windows.dialogAnswer.clear();
        windows.dialogAnswers.clear();
        windows.questionAnswers.clear();
    }

    // Answers the next file dialog with path, then clicks the button.
    void choose(const std::string& path, ImageButton& button)
    {
        windows.dialogAnswer = path;
        click(button);
        windows.dialogAnswer.clear();
    }

    // The calls of a kind ("question", "message", "save", "open") in order.
    std::vector<std::string> calls(const std::string& kind) const
    {
        std::vector<std::string> found;
        for (const std::string& c : windows.calls)
            if (c.rfind(kind, 0) == 0)
                found.push_back(c);
        return found;
    }

    std::vector<std::string> filterLabels() const
    {
        std::vector<std::string> labels;
        for (const FileFilter& f : windows.lastFilters)
            labels.push_back(f.label);
        return labels;
    }

    // A change a user would make: the last point moves.
    void editMesh() { screens->model3D.points.back()->x += 0.25; }

    testutil::TempDir dir;
};

TEST_F(FileButtons, SaveWaitsForAResultAndThenWritesEachFormatByItsEnding)
{
    click(screens->imageMenu);
    EXPECT_FALSE(screens->button_save.isEnabled()) << "nothing to save yet";
    choose(dir.file("early.png"), screens->button_save);
    EXPECT_TRUE(windows.calls.empty());

    click(screens->button_produce);
    ASSERT_EQ(screens->main_state, MAIN_STATE_IMAGE);
    EXPECT_TRUE(screens->button_save.isEnabled());
    const Image& shown = *screens->imagePane.getImage();
    const struct {
        const char* typed;
        const char* written;
        std::string magic;   // how the file starts
        int tolerance;       // per channel
    } rows[] = {
        {"plain", "plain.bmp", "BM", 0},          {"x.png", "x.png", "\x89PNG", 0},
        {"X.JPG", "X.JPG", "\xff\xd8\xff", 48},   {"y.Jpeg", "y.Jpeg", "\xff\xd8\xff", 48},
        {"z.ppm", "z.ppm", "P6", 0},              {"g.gif", "g.gif.bmp", "BM", 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed);
        choose(dir.file(r.typed), screens->button_save);
        const std::string bytes = testutil::readFile(dir.file(r.written));
        EXPECT_EQ(bytes.substr(0, r.magic.size()), r.magic);
        EXPECT_LE(worstChannel(*picture(dir.file(r.written)), shown), r.tolerance);
        // The program opens what it saved.
        EXPECT_TRUE(screens->openPattern(dir.file(r.written)));
    }
    EXPECT_EQ(filterLabels(), (std::vector<std::string>{"BMP Files(*.bmp)", "PNG Files(*.png)",
                                                        "JPEG Files(*.jpg;*.jpeg)",
                                                        "PPM Files(*.ppm;*.pnm)"}));
    EXPECT_TRUE(calls("message").empty());
}

TEST_F(FileButtons, TheModelTabSavesWhatItShowsUnderANameItOpensAgain)
{
    click(screens->modelMenu);
    editMesh();
    const size_t faces = screens->model3D.faces.size();
    const std::vector<double> xs = [] {
        std::vector<double> v;
        for (const auto& p : screens->model3D.points)
            v.push_back(p->x);
        return v;
    }();
    choose(dir.file("moose"), screens->button_save);
    EXPECT_FALSE(std::filesystem::exists(dir.file("moose")));
    EXPECT_FALSE(screens->meshEdited()) << "saved";
    EXPECT_EQ(filterLabels().front(), "Ovek Model File(*.om)");

    ASSERT_TRUE(screens->openOnModelTab(kDemo + "demo.3ds"));
    choose(dir.file("moose.om"), screens->button_open);
    EXPECT_TRUE(calls("message").empty());
    ASSERT_EQ(screens->model3D.points.size(), xs.size());
    EXPECT_EQ(screens->model3D.faces.size(), faces);
    for (size_t i = 0; i < xs.size(); ++i)
        EXPECT_EQ(screens->model3D.points[i]->x, xs[i]);
    EXPECT_FALSE(screens->meshEdited()) << "just opened";

    // A depth picture shown is what the tab saves; the mesh stays unwritten.
    choose(kDemo + "depth.bmp", screens->button_open);
    ASSERT_EQ(screens->modelType, MODEL_TYPE_IMAGE);
    windows.calls.clear();
    choose(dir.file("depth.png"), screens->button_save);
    choose(dir.file("depth"), screens->button_save);
    EXPECT_EQ(calls("save").size(), 2u);
    EXPECT_EQ(filterLabels().front(), "BMP Files(*.bmp)");
    const std::unique_ptr<Image> depth = picture(kDemo + "depth.bmp");
    EXPECT_EQ(worstChannel(*screens->imageModel.getImage(), *depth), 0);
    EXPECT_EQ(worstChannel(*picture(dir.file("depth.png")), *depth), 0);
    EXPECT_EQ(worstChannel(*picture(dir.file("depth.bmp")), *depth), 0);
    choose(dir.file("depth.png"), screens->button_open);
    EXPECT_EQ(worstChannel(*screens->imageModel.getImage(), *depth), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("depth.om")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("depth.png.om")));
}

// Steps that end where the mesh was saved leave nothing to lose.
TEST_F(FileButtons, OnlyADifferentMeshCountsAsEdited)
{
    EXPECT_FALSE(screens->meshEdited());
    screens->modelEdit.updateHistory();   // a click that changed nothing
    EXPECT_FALSE(screens->meshEdited());
    editMesh();
    screens->modelEdit.updateHistory();
    EXPECT_TRUE(screens->meshEdited());
    screens->modelEdit.undo();
    screens->modelEdit.undo();
    EXPECT_FALSE(screens->meshEdited()) << "undone back to the opened mesh";
    screens->model3D.points.front()->selected ^= 1;   // the file keeps the selection
    EXPECT_TRUE(screens->meshEdited());
    screens->model3D.points.front()->selected ^= 1;
    std::swap(screens->model3D.faces.front()->p1, screens->model3D.faces.front()->p2);
    EXPECT_TRUE(screens->meshEdited()) << "a face turned over";
}

// Each answer to the close question, and saves that are cancelled or fail.
TEST_F(FileButtons, ClosingAsksAboutAnEditedMeshAndAnUnsavedResult)
{
    enum Save { Good, Cancelled, Failing };
    struct Row {
        const char* what;
        bool editMesh, produce;
        std::vector<int> answers;   // 0 cancel (or the box closed), 1 save, 2 discard
        Save dialog;
        bool closes;
        size_t questions;
    };
    const Row rows[] = {
        {"nothing to lose", false, false, {}, Good, true, 0},
        {"box closed", true, false, {}, Good, false, 1},
        {"mesh: cancel", true, false, {0}, Good, false, 1},
        {"mesh: discard", true, false, {2}, Good, true, 1},
        {"mesh: save", true, false, {1}, Good, true, 1},
        {"mesh: save cancelled", true, false, {1}, Cancelled, false, 1},
        {"mesh: save fails", true, false, {1}, Failing, false, 1},
        {"result: save", false, true, {1}, Good, true, 1},
        {"result: discard", false, true, {2}, Good, true, 1},
        {"result: cancel", false, true, {0}, Good, false, 1},
        {"result: save fails", false, true, {1}, Failing, false, 1},
        {"both: discard, cancel", true, true, {2, 0}, Good, false, 2},
        {"both: save, discard", true, true, {1, 2}, Good, true, 2},
    };
    int n = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        SetUp();
        if (r.produce)
            click(screens->button_produce);
        if (r.editMesh)
            editMesh();
        const std::string name = "saved" + std::to_string(++n);
        windows.dialogAnswer = r.dialog == Cancelled ? ""
                               : r.dialog == Failing ? dir.file("missing/" + name)
                                                     : dir.file(name);
        windows.questionAnswers = r.answers;
        windows.calls.clear();
        windows.lastAnswers.clear();
        EXPECT_EQ(MYPLAT.mayClose(), r.closes);
        EXPECT_EQ(calls("question").size(), r.questions);
        if (r.questions) {
            EXPECT_EQ(windows.lastAnswers,
                      (std::vector<std::string>{"Cancel", "Save", "Discard"}));
        }
        EXPECT_EQ(calls("message").size(), r.dialog == Failing ? 1u : 0u);
        const bool savedMesh =
            r.editMesh && !r.answers.empty() && r.answers.front() == 1 && r.dialog == Good;
        const bool savedResult =
            r.produce && !r.answers.empty() && r.answers.back() == 1 && r.dialog == Good;
        EXPECT_EQ(std::filesystem::exists(dir.file(name + ".om")), savedMesh);
        EXPECT_EQ(std::filesystem::exists(dir.file(name + ".bmp")), savedResult);
        // What was not saved or discarded is still there, still unsaved.
        if (!r.closes) {
            EXPECT_EQ(screens->meshEdited(), r.editMesh && !savedMesh);
            EXPECT_EQ(screens->resultUnsaved, r.produce && !savedResult);
        }
    }
    const std::vector<std::string> q = calls("question");
    ASSERT_EQ(q.size(), 2u);
    EXPECT_EQ(q[0], "question Pexolen: The model has changes that are not saved.\n"
                    "Save them before closing?");
    EXPECT_EQ(q[1], "question Pexolen: The stereogram has not been saved.\nSave it before closing?");
}

TEST_F(FileButtons, OpeningAModelOverAnEditedMeshAsksFirst)
{
    testutil::writeFile(dir.file("cube.obj"), samples::cubeOBJ());
    const struct {
        const char* what;
        int answer;
        std::string saveAs;   // the save dialog's answer; empty: cancelled
        bool opens;
    } rows[] = {
        {"cancel", 0, "", false},
        {"discard", 2, "", true},
        {"save", 1, "kept", true},
        {"save cancelled", 1, "", false},
        {"save fails", 1, "missing/kept", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        SetUp();
        click(screens->modelMenu);
        editMesh();
        const size_t demoPoints = screens->model3D.points.size();
        windows.questionAnswers = {r.answer};
        windows.dialogAnswers = {dir.file("cube.obj"), r.saveAs.empty() ? "" : dir.file(r.saveAs)};
        click(screens->button_open);
        EXPECT_EQ(calls("question").size(), 1u);
        EXPECT_EQ(screens->model3D.points.size(), r.opens ? 8u : demoPoints);
        EXPECT_EQ(screens->meshEdited(), !r.opens) << "the edits are kept, or the cube is as opened";
        EXPECT_EQ(std::filesystem::exists(dir.file("kept.om")), r.saveAs == "kept");
        std::filesystem::remove(dir.file("kept.om"));
    }
    const std::string q = calls("question").front();
    EXPECT_NE(q.find("Save them before opening '" + dir.file("cube.obj") + "'?"),
              std::string::npos)
        << q;

    // A depth picture leaves the mesh, edits and all, where it was.
    windows.calls.clear();
    choose(kDemo + "depth.bmp", screens->button_open);
    EXPECT_TRUE(calls("question").empty());
    EXPECT_EQ(screens->modelType, MODEL_TYPE_IMAGE);
    EXPECT_TRUE(screens->meshEdited());
}

}  // namespace
