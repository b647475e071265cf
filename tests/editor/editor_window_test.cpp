// The model editor in the program's real window on a virtual X server, driven
// by pointer and keys as a user would, and judged by what the pane shows.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/x.H>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "editor/model_edit.h"
#include "editor/pane3d.h"
#include "gl/gl_pane_renderer.h"
#include "fltk/fltk_widgets.h"
#include "fltk/fltk_window_system.h"
#include "fltk/window_main.h"
#include "tests/fltk/window_fixture.h"
#include "tests/fltk/x_screen.h"
#include "tests/test_util.h"
#include "toolkit/window_procedure.h"

namespace {

using ovek::MYPLAT;

using namespace windowtest;

class EditorWindowTest : public windowtest::WindowFixture {
protected:
    EditorWindowTest() : WindowFixture("Pexolen editor test") {}

    // A frame drawn after everything up to now, and what the pane shows in it.
    // The idle loop draws only on request: ask for one, as a change would.
    xscreen::Shot paneAfterNextFrame()
    {
        windows->panes().at(0)->swapped = false;
        MYPLAT.repaint();
        EXPECT_TRUE(pumpUntil([&] { return windows->panes().at(0)->swapped; }));
        return xscreen::grab(fl_display, mainXid(), kPaneX, kPaneY, kPaneW, kPaneH);
    }
    bool user(const std::string& xdotoolArgs)
    {
        const bool ok = xscreen::xdotool(xdotoolArgs);
        pumpUntil([] { return false; }, 0.2);   // let the events arrive
        return ok;
    }
    // Ctrl held down, as a hand would, while the keys are pressed: the editor
    // asks for the key's state when it handles the key's event.
    bool withCtrl(const std::string& keys)
    {
        const bool ok = user("keydown ctrl") && user("key " + keys);
        return user("keyup ctrl") && ok;
    }
    std::string at(int paneX, int paneY)
    {
        return "mousemove --sync --window " + std::to_string(mainXid()) + " " +
               std::to_string(kPaneX + paneX) + " " + std::to_string(kPaneY + paneY);
    }

    testutil::TempDir workingFolder;
    Sence3D scene;
    ovek::GlPaneRenderer renderer;
    Editable3D mesh;
    ovek::ModelEdit edit;
    std::unique_ptr<ovek::Pane3D> pane;
};

int differingPixels(const xscreen::Shot& a, const xscreen::Shot& b)
{
    int n = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        n += a.pixels[i] != b.pixels[i];
    return n;
}

TEST_F(EditorWindowTest, MovingTheSelectionAndUndoingItShowsTheMeshWhereItWas)
{
    // The model tab as the program builds it: the editor, the pane inside it
    // showing the demo mesh, the undo ring in a fresh folder.
    edit.history = ovek::HistoryRing(workingFolder.path().string());
    edit.findDataFile = [](const std::string& name) {
        return std::string(PEXOLEN_SOURCE_DIR) + "/" + name;
    };
    edit.setBounds(0, 0, 861, 528);
    MYPLAT.getRootComponent()->add(&edit);
    pane.reset(ovek::createPane3D(kPaneX, kPaneY, kPaneW, kPaneH, renderer));
    ASSERT_NE(pane, nullptr) << "no OpenGL pane on this display";
    const Point3D min(-1, 1, -1), max(1, -1, 1);
    ASSERT_TRUE(mesh.load(PEXOLEN_SOURCE_DIR "/demo/demo.3ds", &min, &max).ok);
    mesh.setEmissionColor(1, 0, 0);
    scene.addEvent(&mesh);
    pane->addSence(&scene);
    edit.add(pane.get());
    ovek::Pane3D* panes[] = {pane.get()};
    edit.init(&scene, &mesh, panes, 1);
    paneAfterNextFrame();

    // The move tool, the pointer away from the pane.
    ASSERT_TRUE(user(at(kPaneW / 2, kPaneH + 20)));
    ASSERT_TRUE(withCtrl("2"));
    ASSERT_EQ(edit.modelEditState, ovek::ModelEdit::TOOL_MOVE);
    const xscreen::Shot before = paneAfterNextFrame();

    // In edit mode everything selected, and the x handle (50 pixels right of
    // the pivot, the middle of the pane) dragged 100 pixels to the right.
    ASSERT_TRUE(withCtrl("Return a"));
    ASSERT_EQ(edit.modelState, ovek::ModelEdit::MODEL_EDIT);
    for (const auto& p : mesh.points)
        ASSERT_TRUE(p->selected);
    const int hx = 430 + 25, hy = 245;
    ASSERT_TRUE(user(at(hx, hy)));
    ASSERT_EQ(edit.moveAxis, 0);
    ASSERT_TRUE(user("mousedown 1"));
    for (int step = 1; step <= 5; ++step)
        ASSERT_TRUE(user(at(hx + 20 * step, hy)));
    ASSERT_TRUE(user("mouseup 1 " + at(kPaneW / 2, kPaneH + 20)));
    ASSERT_EQ(edit.history.historyCurrent, 1) << "the release records a snapshot";
    // Back in view mode, where the points are not drawn: the edit mode's dots
    // lie on the faces, and which of them win the depth test is not steady
    // from frame to frame in Mesa's software renderer.
    ASSERT_TRUE(withCtrl("Return"));
    const xscreen::Shot moved = paneAfterNextFrame();
    EXPECT_GT(differingPixels(before, moved), 5000);

    // Undo: the pane shows exactly what it showed before the drag.
    ASSERT_TRUE(withCtrl("z"));
    EXPECT_EQ(edit.history.historyCurrent, 0);
    EXPECT_EQ(differingPixels(before, paneAfterNextFrame()), 0);
    // Redo brings the move back, selection and all.
    ASSERT_TRUE(withCtrl("y"));
    EXPECT_EQ(differingPixels(moved, paneAfterNextFrame()), 0);

    // The ring lives in a folder of this process's own in the fresh folder.
    const std::filesystem::path slot = edit.history.slotPath(1);
    EXPECT_EQ(slot.parent_path().parent_path(), workingFolder.path() / "history");
    EXPECT_TRUE(std::filesystem::exists(slot.parent_path() / "0.om"));
    EXPECT_TRUE(std::filesystem::exists(slot));
}

}  // namespace
