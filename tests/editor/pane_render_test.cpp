// Render-and-compare of the 3D pane: the demo mesh as the model tab shows it,
// with the editor's overlay, drawn off-screen by Mesa's software rasteriser and
// compared with the reference pictures in render/ beside this file.
//
// Tolerance: the same Mesa gives the same pixels on every machine; another
// Mesa version may round edges and line ends differently, so up to 1% of the
// pixels may differ, each channel by any amount; everything else must match
// within 2 levels a channel.
//
// PEXOLEN_UPDATE_REFERENCES=1 writes the references anew instead of comparing
// (after a change of what the pane draws; look at them before committing):
//   PEXOLEN_UPDATE_REFERENCES=1 ctest -R PaneRender
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "editor/model_edit.h"
#include "editor/pane3d.h"
#include "gl/gl_pane_renderer.h"
#include "image/image.h"
#include "mesh/model_file.h"
#include "mesh/model_open.h"
#include "scene3d/window_info.h"
#include "tests/gl/gl_context.h"
#include "tests/test_util.h"

namespace {

constexpr int kW = 320;
constexpr int kH = 240;
constexpr double kDifferingShare = 0.01;   // pixels that may differ by any amount
constexpr int kChannelSlack = 2;           // levels every other pixel may differ by

const std::string kReferenceDir = std::string(PEXOLEN_SOURCE_DIR) + "/tests/editor/render/";

class NoWindow : public ovek::NativePane3D {
public:
    void makeCurrent() override {}
    void place(int, int, int, int) override {}
    void swapBuffers() override { glFinish(); }
};

std::unique_ptr<ovek::Image> framePicture()
{
    std::vector<unsigned char> rgba(size_t(kW) * kH * 4);
    glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    auto img = std::make_unique<ovek::Image>(nullptr, kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const unsigned char* p = &rgba[(size_t(kH - 1 - y) * kW + x) * 4];
            img->setColor(x, y, p[2], p[1], p[0]);
        }
    return img;
}

// Empty when the frame matches the reference within the tolerance.
std::string compareWithReference(const ovek::Image& frame, const std::string& name)
{
    const std::string path = kReferenceDir + name;
    if (const char* update = std::getenv("PEXOLEN_UPDATE_REFERENCES"); update && *update == '1') {
        const ovek::FileResult r = frame.writePNGFile(path);
        return r ? "" : "cannot write " + path + ": " + r.error;
    }
    ovek::Image reference(nullptr, 1, 1);
    if (!reference.loadImage(path))
        return "no reference " + path + " (PEXOLEN_UPDATE_REFERENCES=1 makes it)";
    if (reference.getWidth() != kW || reference.getHeight() != kH)
        return "reference " + path + " is not " + std::to_string(kW) + " x " + std::to_string(kH);
    int differing = 0, beyondSlack = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int a = frame.getColor(x, y), b = reference.getColor(x, y);
            if (a == b)
                continue;
            ++differing;
            for (int shift : {0, 8, 16})
                if (std::abs((a >> shift & 255) - (b >> shift & 255)) > kChannelSlack) {
                    ++beyondSlack;
                    break;
                }
        }
    if (beyondSlack > kDifferingShare * kW * kH)
        return std::to_string(beyondSlack) + " pixels differ from " + path + " (" +
               std::to_string(differing) + " by any amount)";
    return "";
}

class PaneRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!view.ready())
            GTEST_SKIP() << "no off-screen OpenGL context could be made";
        pane = std::make_unique<ovek::Pane3D>(&native, renderer, kW, kH);
        ASSERT_TRUE(ovek::openModelFile(std::string(PEXOLEN_SOURCE_DIR) + "/demo/demo.3ds", &mesh));
        mesh.setEmissionColor(1, 0, 0);
        scene.addEvent(&mesh);
        pane->addSence(&scene);
        edit.history = ovek::HistoryRing(historyRoot.path().string());
        edit.findDataFile = [](const std::string& name) {
            return std::string(PEXOLEN_SOURCE_DIR) + "/" + name;
        };
        edit.init(&scene, &mesh, std::vector<ovek::Component*>{pane.get()});
    }
    void TearDown() override { WINDOW_INFO.backend = nullptr; }

    // What the pane shows after the records so far.
    std::unique_ptr<ovek::Image> frame()
    {
        pane->paint(nullptr);
        return framePicture();
    }

    // Empty when the pane shows what a draw of the mesh from scratch shows
    // (everything kept from earlier frames dropped): a stale cache shows here.
    // Leaves the mesh drawn from what is kept of it again.
    std::string staleness(const ovek::Image& shown)
    {
        mesh.drawArrays.reset();
        const std::string stale = samePicture(shown, *frame()) ? "" : "a stale mesh is shown";
        frame();
        frame();
        return stale;
    }
    static bool samePicture(const ovek::Image& a, const ovek::Image& b)
    {
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                if (a.getColor(x, y) != b.getColor(x, y))
                    return false;
        return true;
    }

    OffscreenView view{kW, kH};
    NoWindow native;
    ovek::GlPaneRenderer renderer;
    testutil::TempDir historyRoot;
    Sence3D scene;
    Editable3D mesh;
    ovek::ModelEdit edit;
    std::unique_ptr<ovek::Pane3D> pane;
};

TEST_F(PaneRender, ViewModeShowsTheLitMeshWithTheRotationHandles)
{
    EXPECT_EQ(compareWithReference(*frame(), "view_mode.png"), "");
}

TEST_F(PaneRender, EditModeShowsThePointsTheSelectionAndTheMoveHandlesAtItsCentre)
{
    edit.setModelState(ovek::ModelEdit::MODEL_EDIT);
    edit.setModelEditState(ovek::ModelEdit::TOOL_MOVE);
    for (size_t i = 0; i < mesh.points.size(); ++i)
        mesh.points[i]->selected = mesh.staticPoints[i]->x > 0.3;
    edit.mouseMove(kW / 2 + 60, kH / 2 - 10, pane.get(), {});   // hovering picks the x handle
    EXPECT_EQ(compareWithReference(*frame(), "edit_mode.png"), "");
    // Drawing again changes nothing: drawing leaves the mesh alone.
    EXPECT_EQ(compareWithReference(*frame(), "edit_mode.png"), "");
}

TEST_F(PaneRender, ASelectionRectangleShowsTranslucentOverTheMesh)
{
    edit.setModelState(ovek::ModelEdit::MODEL_EDIT);
    edit.setModelEditState(ovek::ModelEdit::TOOL_SELECT);
    ovek::InputMods left;
    left.leftButton = true;
    edit.mouseDrag(200, 170, 120, 100, 120, 100, pane.get(), left);
    EXPECT_EQ(compareWithReference(*frame(), "select_rectangle.png"), "");
}

TEST_F(PaneRender, EveryEditShowsInTheNextFrameThoughUnchangedMeshesAreDrawnFromWhatWasKept)
{
    using ovek::ModelEdit;
    ovek::InputMods left;
    left.leftButton = true;
    const ovek::InputMods none;
    frame();
    auto last = frame();   // from now on drawn from what was kept of the mesh

    edit.setModelState(ModelEdit::MODEL_EDIT);
    edit.setModelEditState(ModelEdit::TOOL_SELECT);
    edit.mouseDrag(200, 170, 120, 100, 120, 100, pane.get(), left);
    edit.mouseUp(200, 170, ovek::MOUSE_BUTTON1, pane.get(), 120, 100, true, none);
    auto shown = frame();
    EXPECT_FALSE(samePicture(*shown, *last)) << "the selection shows";
    EXPECT_EQ(staleness(*shown), "") << "after selecting";

    const std::string saved = (historyRoot.path() / "selected.om").string();
    ASSERT_TRUE(ovek::saveModel(saved.c_str(), &mesh));
    const auto savedFrame = frame();

    // A drag of the selection, a frame after every step, then the release.
    edit.setModelEditState(ModelEdit::TOOL_MOVE);
    edit.mouseMove(kW / 2 + 60, kH / 2 - 10, pane.get(), none);
    last = frame();
    for (int step = 1; step <= 3; ++step) {
        edit.mouseDrag(kW / 2 + 60 + 8 * step, kH / 2 - 10, 8 * step, 0, 8, 0, pane.get(), left);
        shown = frame();
        EXPECT_FALSE(samePicture(*shown, *last)) << "drag step " << step << " moves the points";
        EXPECT_EQ(staleness(*shown), "") << "drag step " << step;
        last = std::move(shown);
    }
    edit.mouseUp(kW / 2 + 84, kH / 2 - 10, ovek::MOUSE_BUTTON1, pane.get(), 24, 0, true, none);
    const auto movedFrame = frame();
    EXPECT_EQ(staleness(*movedFrame), "") << "after the release";

    edit.doCommand(ModelEdit::COMMAND_REMOVE_FACES);
    shown = frame();
    EXPECT_FALSE(samePicture(*shown, *movedFrame)) << "the selected faces are gone";
    EXPECT_EQ(staleness(*shown), "") << "after removing faces";

    edit.doCommand(ModelEdit::COMMAND_UNDO);
    EXPECT_TRUE(samePicture(*frame(), *movedFrame)) << "undo brings the faces back";

    // The same counts as the mesh shown, other positions; the select tool
    // draws no handles (which stay where they were until the next change).
    edit.setModelEditState(ModelEdit::TOOL_SELECT);
    ASSERT_TRUE(ovek::openModelFile(saved, &mesh));
    shown = frame();
    EXPECT_TRUE(samePicture(*shown, *savedFrame)) << "the opened model shows at once";
    EXPECT_EQ(staleness(*shown), "") << "after opening";
}

}  // namespace
