// The modeller's toolbar: where each button sits, its pictures, its tooltip
// and what a click on it does.
#include "editor/model_edit.h"

#include "base/translation.h"
#include "toolkit/picture_loader.h"
#include "toolkit/platform.h"

namespace ovek {

namespace {

// Tooltips are catalogue keys, shown in the user's language.
struct OptionRow {
    SelectImageButton ModelEdit::*button;
    int x;                   // pixels from the editor's left edge
    const char* selected;    // picture while the option is on
    const char* unselected;
    const char* tooltip;
    int tool;                // -1: the mode switch
};

// In the order the buttons are added, which is not their order on the bar.
const OptionRow kOptions[] = {
    {&ModelEdit::selectOption, 50, "ui/toolbar/select_on.bmp", "ui/toolbar/select_off.bmp",
     N_("Tool: select (Ctrl+1)"),
     ModelEdit::TOOL_SELECT},
    {&ModelEdit::editOption, 0, "ui/toolbar/edit_on.bmp", "ui/toolbar/edit_off.bmp",
     N_("Edit mode / view mode (Ctrl+Enter)"), -1},
    {&ModelEdit::rotateOption, 115, "ui/toolbar/rotate_on.bmp", "ui/toolbar/rotate_off.bmp",
     N_("Tool: rotate (Ctrl+3)"),
     ModelEdit::TOOL_ROTATE},
    {&ModelEdit::moveOption, 85, "ui/toolbar/move_on.bmp", "ui/toolbar/move_off.bmp",
     N_("Tool: move (Ctrl+2)"),
     ModelEdit::TOOL_MOVE},
    {&ModelEdit::resizeOption, 145, "ui/toolbar/resize_on.bmp", "ui/toolbar/resize_off.bmp",
     N_("Tool: stretch (Ctrl+4)"),
     ModelEdit::TOOL_RESIZE},
    {&ModelEdit::insertPointOption, 180, "ui/toolbar/insert_point_on.bmp",
     "ui/toolbar/insert_point_off.bmp",
     N_("Tool: add a point (Ctrl+5)"),
     ModelEdit::TOOL_INSERT_POINT},
    {&ModelEdit::insertBoxOption, 240, "ui/toolbar/insert_box_on.bmp",
     "ui/toolbar/insert_box_off.bmp",
     N_("Tool: add a box (Ctrl+7)"),
     ModelEdit::TOOL_INSERT_BOX},
    {&ModelEdit::insertTriangleOption, 210, "ui/toolbar/insert_triangle_on.bmp",
     "ui/toolbar/insert_triangle_off.bmp",
     N_("Tool: add a triangle (Ctrl+6)"),
     ModelEdit::TOOL_INSERT_TRIANGLE},
};

struct CommandRow {
    ImageButton ModelEdit::*button;
    int x;               // pixels from the editor's left edge
    const char* out;     // picture while the pointer is elsewhere
    const char* over;    // picture while it is over the button
    const char* tooltip;
    int command;
};

const CommandRow kCommands[] = {
    {&ModelEdit::importButton, 290, "ui/toolbar/import_off.bmp", "ui/toolbar/import_in.bmp",
     N_("Import a model file (Ctrl+I)"),
     ModelEdit::COMMAND_IMPORT},
    {&ModelEdit::selectAllButton, 320, "ui/toolbar/select_all_off.bmp",
     "ui/toolbar/select_all_in.bmp", N_("Select all (Ctrl+A)"),
     ModelEdit::COMMAND_SELECT_ALL},
    {&ModelEdit::selectLinkedButton, 350, "ui/toolbar/select_linked_off.bmp",
     "ui/toolbar/select_linked_in.bmp",
     N_("Select all connected points (Ctrl+Shift+A)"), ModelEdit::COMMAND_SELECT_LINKED},
    {&ModelEdit::undoButton, 380, "ui/toolbar/undo_off.bmp", "ui/toolbar/undo_in.bmp",
     N_("Undo (Ctrl+Z)"), ModelEdit::COMMAND_UNDO},
    {&ModelEdit::redoButton, 410, "ui/toolbar/redo_off.bmp", "ui/toolbar/redo_in.bmp",
     N_("Redo (Ctrl+Y)"), ModelEdit::COMMAND_REDO},
    {&ModelEdit::addFaceButton, 460, "ui/toolbar/addFace_off.bmp", "ui/toolbar/addFace_in.bmp",
     N_("Make a face of the three selected points (Ctrl+F)"), ModelEdit::COMMAND_ADD_FACE},
    {&ModelEdit::removeFaceButton, 490, "ui/toolbar/removeFace_off.bmp",
     "ui/toolbar/removeFace_in.bmp", N_("Delete the selected faces (Ctrl+D)"),
     ModelEdit::COMMAND_REMOVE_FACES},
    {&ModelEdit::removePointButton, 520, "ui/toolbar/removePoint_off.bmp",
     "ui/toolbar/removePoint_in.bmp", N_("Delete the selected points (Delete)"),
     ModelEdit::COMMAND_REMOVE_POINTS},
    {&ModelEdit::extendButton, 550, "ui/toolbar/extend_off.bmp", "ui/toolbar/extend_in.bmp",
     N_("Extend the selected points into walls (Ctrl+E)"), ModelEdit::COMMAND_EXTEND},
};

constexpr int kButtonWidth = 30;   // pixels

}  // namespace

std::unique_ptr<Image> ModelEdit::readPicture(const char* name) const
{
    return loadPicture(findDataFile ? findDataFile(name) : std::string(name));
}

Image* ModelEdit::toolbarPicture(const char* name)
{
    std::unique_ptr<Image> img = readPicture(name);
    if (!img)
        return nullptr;
    toolbarImages.push_back(std::move(img));
    return toolbarImages.back().get();
}

void ModelEdit::placeButton(ImageButton& b, int x, const char* tooltip)
{
    b.setTooltipText(tr(tooltip));
    b.setBounds(x, 0, kButtonWidth, kToolbarHeight);
    b.addEventListener(this);
}

void ModelEdit::initOptions()
{
    for (const OptionRow& row : kOptions) {
        SelectImageButton& b = this->*row.button;
        b.setSelectedImage(toolbarPicture(row.selected));
        b.setUnselectedImage(toolbarPicture(row.unselected));
        placeButton(b, row.x, row.tooltip);
    }
    selectOption.setImageDisabled(toolbarPicture("ui/toolbar/select_dis.bmp"));
    for (const CommandRow& row : kCommands) {
        ImageButton& b = this->*row.button;
        b.setImageMouseOut(toolbarPicture(row.out));
        b.setImageMouseUp(toolbarPicture(row.over));
        placeButton(b, row.x, row.tooltip);
    }
    toolbarBackground.image = readPicture("ui/toolbar/bar.bmp");
    toolbarBackground.setBounds(0, 0, 861, kToolbarHeight);
    toolbarBackground.setStretchModeOn(true);

    add(&toolbarBackground);
    for (const OptionRow& row : kOptions)
        add(&(this->*row.button));
    for (const CommandRow& row : kCommands)
        add(&(this->*row.button));
    setModelEditState(TOOL_ROTATE);
    setModelState(MODEL_VIEW);
}

int ModelEdit::commandOf(const EventObject* source) const
{
    for (const CommandRow& row : kCommands)
        if (source == &(this->*row.button))
            return row.command;
    return 0;
}

void ModelEdit::optionClicked(int, int, int, EventObject* source, int, int, bool)
{
    if (source == &editOption) {
        setModelState(editOption.isSelected() ? MODEL_VIEW : MODEL_EDIT);
        return;
    }
    for (const OptionRow& row : kOptions)
        if (source == &(this->*row.button)) {
            setModelEditState(row.tool);
            return;
        }
}

}  // namespace ovek
