#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/input_codes.h"
#include "tests/base/language_env.h"
#include "tests/editor/editor_fixture.h"

namespace {

using edittest::EditorTest;
using edittest::selectedCount;
using ovek::ModelEdit;

constexpr int kCtrl = ovek::kKeyControl;
constexpr int kShift = ovek::kKeyShift;
constexpr int kEnter = 0x0D;
constexpr int kDelete = 0x2E;

TEST_F(EditorTest, InitBuildsTheToolbarAndStartsInViewModeWithTheRotateTool)
{
    // One picture present; the others are missing and leave their slots empty.
    testutil::TempDir data;
    std::filesystem::create_directories(data.path() / "ui" / "toolbar");
    ovek::Image(nullptr, 30, 38).writeBMPFile(data.file("ui/toolbar/undo_off.bmp"));
    static std::string dataRoot;
    dataRoot = data.path().string();
    edit.findDataFile = [](const std::string& name) { return dataRoot + "/" + name; };
    // A Chinese desktop sees the program's original tooltips.
    testutil::useChinese();
    init();

    EXPECT_FALSE(scene.beforeDisplay);
    EXPECT_TRUE(scene.afterDisplay);
    EXPECT_EQ(edit.modelState, ModelEdit::MODEL_VIEW);
    EXPECT_EQ(edit.modelEditState, ModelEdit::TOOL_ROTATE);
    EXPECT_EQ(mesh.getShowMode(), 0);
    EXPECT_FALSE(edit.selectOption.isEnabled());
    EXPECT_TRUE(edit.rotateOption.isSelected());
    EXPECT_TRUE(edit.rotateHandlesShown);
    EXPECT_FALSE(edit.axesShown);
    EXPECT_TRUE(std::filesystem::exists(edit.history.slotPath(0)));

    // The bar's background, then the 17 buttons, each this editor's.
    ASSERT_EQ(edit.getComponentCount(), 18);
    EXPECT_EQ(edit.getComponentAt(0), &edit.toolbarBackground);
    for (int i = 1; i < 18; ++i) {
        auto* b = dynamic_cast<ovek::ImageButton*>(edit.getComponentAt(i));
        ASSERT_NE(b, nullptr);
        ASSERT_EQ(b->eventListeners.size(), 1u);
        EXPECT_EQ(b->eventListeners[0], &edit);
        // Only the picture that exists was loaded.
        EXPECT_EQ(b->imageMouseOut != nullptr, b == &edit.undoButton) << i;
    }
    EXPECT_EQ(edit.undoButton.imageMouseOut->getWidth(), 30);
    EXPECT_EQ(edit.toolbarBackground.image, nullptr);
    EXPECT_TRUE(edit.toolbarBackground.stretchModeOn);
    EXPECT_EQ(ovek::MYPLAT.getRootComponent()->eventListeners.back(), &edit);
    EXPECT_EQ(pane.eventListeners.back(), &edit);
    // A pane the display could not make is left out; any other desktop reads
    // English.
    testutil::useEnglish();
    ovek::ModelEdit other;
    other.history = ovek::HistoryRing(historyRoot.path().string());
    ovek::Component* panes[] = {nullptr, &pane};
    other.init(&scene, &mesh, panes, 2);
    EXPECT_EQ(other.paneCount, 1);
    EXPECT_STREQ(other.undoButton.tooltipText, "Undo (Ctrl+Z)");
    EXPECT_STREQ(other.editOption.tooltipText, "Edit mode / view mode (Ctrl+Enter)");

    // The bar follows the editor's width; the buttons stay.
    edit.setBounds(0, 0, 1000, 600);
    EXPECT_EQ(edit.toolbarBackground.getWidth(), 1000);
    EXPECT_EQ(edit.toolbarBackground.getHeight(), 38);
    EXPECT_EQ(edit.extendButton.getLeft(), 550);
    // Painting with the empty slots draws what there is and nothing else.
    ovek::MYPLAT.getRootComponent()->add(&edit);
    ovek::MYPLAT.repaint();
    ovek::MYPLAT.flush();
}

// What a user finds on the bar: a click at a tool's picture selects that
// tool, the first button switches the mode, and the pointer over any button
// shows that button's own tooltip (no button hides another).
TEST_F(EditorTest, AClickAtAToolsPlaceSelectsItAndEveryButtonShowsItsTipWhereItIs)
{
    init();
    edit.setBounds(0, 0, 861, 528);
    ovek::Component* root = ovek::MYPLAT.getRootComponent();
    root->setBounds(0, 0, 866, 591);
    root->add(&edit);
    auto clickAt = [root](int x, int y) {
        root->fireMouseEvent(x, y, ovek::MOUSE_BUTTON1, ovek::MOUSE_MOVE);
        root->fireMouseEvent(x, y, ovek::MOUSE_BUTTON1, ovek::MOUSE_DOWN);
        root->fireMouseEvent(x, y, ovek::MOUSE_BUTTON1, ovek::MOUSE_UP);
    };
    auto middleOf = [](const ovek::Component& c) { return c.getLeft() + c.getWidth() / 2; };
    clickAt(middleOf(edit.editOption), 19);
    EXPECT_EQ(edit.modelState, ModelEdit::MODEL_EDIT);
    const struct {
        ovek::SelectImageButton* button;
        int tool;
    } tools[] = {{&edit.moveOption, ModelEdit::TOOL_MOVE},
                 {&edit.selectOption, ModelEdit::TOOL_SELECT},
                 {&edit.resizeOption, ModelEdit::TOOL_RESIZE},
                 {&edit.rotateOption, ModelEdit::TOOL_ROTATE},
                 {&edit.insertPointOption, ModelEdit::TOOL_INSERT_POINT},
                 {&edit.insertBoxOption, ModelEdit::TOOL_INSERT_BOX},
                 {&edit.insertTriangleOption, ModelEdit::TOOL_INSERT_TRIANGLE}};
    for (const auto& t : tools) {
        clickAt(middleOf(*t.button), 19);
        EXPECT_EQ(edit.modelEditState, t.tool);
        EXPECT_TRUE(t.button->isSelected());
    }
    for (int i = 1; i < edit.getComponentCount(); ++i) {
        auto* b = static_cast<ovek::ImageButton*>(edit.getComponentAt(i));
        windows.calls.clear();
        ovek::MYPLAT.eventBegin();
        root->fireMouseEvent(middleOf(*b), 19, ovek::MOUSE_BUTTON1, ovek::MOUSE_MOVE);
        ovek::MYPLAT.eventEnd();
        ASSERT_FALSE(windows.calls.empty()) << "button " << i;
        EXPECT_EQ(windows.calls.back(), std::string("tip+ ") + b->tooltipText) << "button " << i;
    }
    clickAt(middleOf(edit.editOption), 19);
    EXPECT_EQ(edit.modelState, ModelEdit::MODEL_VIEW);
}

TEST_F(EditorTest, EveryToolbarPictureIsInTheInterfaceFolder)
{
    edit.findDataFile = [](const std::string& name) {
        return std::string(PEXOLEN_SOURCE_DIR) + "/" + name;
    };
    init();
    ovek::MYPLAT.getRootComponent()->add(&edit);
    for (int i = 1; i < edit.getComponentCount(); ++i) {
        auto* b = static_cast<ovek::ImageButton*>(edit.getComponentAt(i));
        auto* option = dynamic_cast<ovek::SelectImageButton*>(b);
        for (ovek::Image* img : {option ? option->selectedImage : b->imageMouseOut,
                                 option ? option->unselectedImage : b->imageMouseUp}) {
            ASSERT_NE(img, nullptr) << "button " << i;
            EXPECT_EQ(img->getWidth(), 30);
            EXPECT_EQ(img->getHeight(), 38);
        }
        // Each shows its picture on the bar: the middle of the button is not
        // the black of a cleared back buffer.
        ovek::MYPLAT.repaint();
        ovek::MYPLAT.flush();
        EXPECT_NE(ovek::MYPLAT.getRootImage()->surface().get(b->getLeft() + 15, 19), 0u)
            << "button " << i;
    }
    ASSERT_NE(edit.selectOption.imageDisabled, nullptr);
    ASSERT_NE(edit.toolbarBackground.image, nullptr);
}

TEST_F(EditorTest, KeysOptionsAndClicksDriveTheModeTheToolAndTheCommands)
{
    edittest::addTwoBoxes(mesh);
    edittest::selectOnly(mesh, {0});
    init();
    ovek::Component elsewhere;
    struct Step {
        std::initializer_list<int> held;
        int key;              // 0: a click on button instead
        ovek::EventObject* clicked;
        bool fromRoot;
        int state, tool, points, selected;
    } steps[] = {
        {{kCtrl}, kEnter, nullptr, true, 1, 1, 16, 1},
        {{kCtrl}, '1', nullptr, true, 1, 0, 16, 1},
        {{kCtrl}, '2', nullptr, true, 1, 2, 16, 1},
        {{kCtrl}, '3', nullptr, true, 1, 1, 16, 1},   // the bar's order: 3 is rotate
        {{kCtrl}, '4', nullptr, true, 1, 3, 16, 1},
        {{kCtrl}, '5', nullptr, true, 1, 4, 16, 1},
        {{kCtrl}, '6', nullptr, true, 1, 5, 16, 1},
        {{kCtrl}, '7', nullptr, true, 1, 6, 16, 1},
        {{kCtrl}, '8', nullptr, true, 1, 6, 16, 1},
        {{kCtrl, kShift}, 'A', nullptr, true, 1, 6, 16, 8},   // linked: the first box
        {{kCtrl}, kDelete, nullptr, true, 1, 6, 16, 8},        // Ctrl+Delete: nothing
        {{kCtrl}, 'A', nullptr, false, 1, 6, 16, 8},           // not from the root
        {{kCtrl}, 'A', nullptr, true, 1, 6, 16, 16},
        {{}, 'A', nullptr, true, 1, 6, 16, 16},
        {{kShift}, kDelete, nullptr, true, 1, 6, 0, 0},
        {{kCtrl}, 'Z', nullptr, true, 1, 6, 16, 1},   // back to the first snapshot
        {{kCtrl}, 'Y', nullptr, true, 1, 6, 0, 0},
        {{kCtrl}, 'Z', nullptr, true, 1, 6, 16, 1},
        {{}, kDelete, nullptr, true, 1, 6, 15, 0},
        {{}, 0, &edit.undoButton, true, 1, 6, 16, 1},
        {{}, 0, &edit.redoButton, true, 1, 6, 15, 0},
        {{}, 0, &edit.undoButton, true, 1, 6, 16, 1},
        {{}, 0, &edit.selectOption, true, 1, 0, 16, 1},
        {{}, 0, &edit.insertBoxOption, true, 1, 6, 16, 1},
        {{}, 0, &elsewhere, true, 1, 6, 16, 1},               // not a button: nothing
        {{}, 0, ovek::MYPLAT.getRootComponent(), true, 1, 6, 16, 1},
        {{}, 0, &edit.selectOption, true, 1, 0, 16, 1},
        {{}, 0, &edit.editOption, true, 0, 2, 16, 1},         // select is not kept in view mode
        {{}, 0, &edit.rotateOption, true, 0, 1, 16, 1},
        {{}, 0, &edit.editOption, true, 1, 1, 16, 1},
        {{kCtrl}, kEnter, nullptr, true, 0, 1, 16, 1},        // other tools are kept
    };
    int n = 0;
    for (const Step& s : steps) {
        hold(s.held);
        if (s.clicked)
            edit.mouseUp(5, 5, ovek::MOUSE_BUTTON1, s.clicked, 0, 0, false, mods);
        else
            press(s.key, s.fromRoot ? ovek::MYPLAT.getRootComponent() : &pane);
        EXPECT_EQ(edit.modelState, s.state) << "step " << n;
        EXPECT_EQ(edit.modelEditState, s.tool) << "step " << n;
        EXPECT_EQ(int(mesh.points.size()), s.points) << "step " << n;
        EXPECT_EQ(selectedCount(mesh), s.selected) << "step " << n;
        // The look follows the state.
        EXPECT_EQ(mesh.getShowMode(), s.state == 1 ? 2 : 0) << "step " << n;
        EXPECT_EQ(edit.editOption.isSelected(), s.state == 1) << "step " << n;
        EXPECT_EQ(edit.selectOption.isEnabled(), s.state == 1) << "step " << n;
        EXPECT_EQ(edit.selectOption.isSelected(), s.tool == 0) << "step " << n;
        EXPECT_EQ(edit.axesShown, s.tool == 2 || s.tool == 3) << "step " << n;
        EXPECT_EQ(edit.rotateHandlesShown, s.tool == 1) << "step " << n;
        ++n;
    }
    // A tool number outside the table shows no tool and no handles.
    edit.setModelEditState(9);
    for (auto* o : {&edit.selectOption, &edit.moveOption, &edit.rotateOption, &edit.resizeOption,
                    &edit.insertPointOption, &edit.insertTriangleOption, &edit.insertBoxOption})
        EXPECT_FALSE(o->isSelected());
    EXPECT_FALSE(edit.axesShown || edit.rotateHandlesShown);
}

TEST_F(EditorTest, EveryCommandReleasesTheMeshAndOnlyEditsRecordASnapshot)
{
    edittest::addTwoBoxes(mesh);
    init();
    struct Case {
        int command;
        int snapshots;   // recorded by the command
    } cases[] = {
        {ModelEdit::COMMAND_SELECT_ALL, 0}, {ModelEdit::COMMAND_SELECT_LINKED, 0},
        {ModelEdit::COMMAND_EXTEND, 0},     {ModelEdit::COMMAND_ADD_FACE, 0},   // 32 selected
        {ModelEdit::COMMAND_REMOVE_FACES, 1}, {ModelEdit::COMMAND_REMOVE_POINTS, 1},
        {ModelEdit::COMMAND_INSERT_POINT, 1}, {ModelEdit::COMMAND_INSERT_TRIANGLE, 1},
        {ModelEdit::COMMAND_INSERT_BOX, 1}, {ModelEdit::COMMAND_IMPORT, 0},   // cancelled
        {ModelEdit::COMMAND_UNDO, 0},       {ModelEdit::COMMAND_REDO, 0},
        {0, 0},                             {13, 0},
    };
    for (const Case& c : cases) {
        const int before = edit.history.historyLast;
        mesh.operating = 1;
        edit.doCommand(c.command);
        EXPECT_EQ(mesh.operating, 0) << c.command;
        EXPECT_EQ(edit.history.historyLast - before, c.snapshots) << c.command;
    }
    // Import, even cancelled, leaves edit mode with the move tool.
    EXPECT_EQ(edit.modelState, ModelEdit::MODEL_EDIT);
    EXPECT_EQ(edit.modelEditState, ModelEdit::TOOL_MOVE);
}

}  // namespace
