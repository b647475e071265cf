// The modeller's toolbar: where each button sits, its pictures, its tooltip
// and what a click on it does.
#include "editor/model_edit.h"

#include "toolkit/picture_loader.h"
#include "toolkit/platform.h"

namespace ovek {

namespace {

// Tooltips in GBK, as the program stores all its text; the English gloss
// follows each.
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
     "\xd7\xb4\xcc\xac" "(\xd1\xa1\xd4\xf1" ") (Ctrl+1)",   // tool: select
     ModelEdit::TOOL_SELECT},
    {&ModelEdit::editOption, 0, "ui/toolbar/edit_on.bmp", "ui/toolbar/edit_off.bmp",
     "\xb1\xe0\xbc\xad\xc4\xa3\xca\xbd" "/\xb9\xdb\xbf\xb4\xc4\xa3\xca\xbd" " (Ctrl+Enter)",
     -1},   // edit mode / view mode
    {&ModelEdit::rotateOption, 115, "ui/toolbar/rotate_on.bmp", "ui/toolbar/rotate_off.bmp",
     "\xd7\xb4\xcc\xac" "(\xd0\xfd\xd7\xaa" ") (Ctrl+3)",   // tool: rotate
     ModelEdit::TOOL_ROTATE},
    {&ModelEdit::moveOption, 85, "ui/toolbar/move_on.bmp", "ui/toolbar/move_off.bmp",
     "\xd7\xb4\xcc\xac" "(\xd2\xc6\xb6\xaf" ") (Ctrl+2)",   // tool: move
     ModelEdit::TOOL_MOVE},
    {&ModelEdit::resizeOption, 145, "ui/toolbar/resize_on.bmp", "ui/toolbar/resize_off.bmp",
     "\xd7\xb4\xcc\xac" "(\xc9\xec\xcb\xf5" ") (Ctrl+4)",   // tool: stretch
     ModelEdit::TOOL_RESIZE},
    {&ModelEdit::insertPointOption, 180, "ui/toolbar/insert_point_on.bmp",
     "ui/toolbar/insert_point_off.bmp",
     "\xd7\xb4\xcc\xac" "(\xcc\xed\xbc\xd3\xb5\xe3" ") (Ctrl+5)",   // tool: add point
     ModelEdit::TOOL_INSERT_POINT},
    {&ModelEdit::insertBoxOption, 240, "ui/toolbar/insert_box_on.bmp",
     "ui/toolbar/insert_box_off.bmp",
     "\xd7\xb4\xcc\xac" "(\xcc\xed\xbc\xd3\xb7\xbd\xbf\xe9" ") (Ctrl+7)",   // tool: add box
     ModelEdit::TOOL_INSERT_BOX},
    {&ModelEdit::insertTriangleOption, 210, "ui/toolbar/insert_triangle_on.bmp",
     "ui/toolbar/insert_triangle_off.bmp",
     "\xd7\xb4\xcc\xac" "(\xcc\xed\xbc\xd3\xc8\xfd\xbd\xc7\xc3\xe6" ") (Ctrl+6)",   // tool: add triangle
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
     "\xb5\xbc\xc8\xeb\xc4\xa3\xd0\xcd\xce\xc4\xbc\xfe" " (Ctrl+I)",   // import model file
     ModelEdit::COMMAND_IMPORT},
    {&ModelEdit::selectAllButton, 320, "ui/toolbar/select_all_off.bmp",
     "ui/toolbar/select_all_in.bmp", "\xc8\xab\xd1\xa1" " (Ctrl+A)",   // select all
     ModelEdit::COMMAND_SELECT_ALL},
    {&ModelEdit::selectLinkedButton, 350, "ui/toolbar/select_linked_off.bmp",
     "ui/toolbar/select_linked_in.bmp",
     "\xd1\xa1\xd6\xd0\xcb\xf9\xd3\xd0\xcf\xe0\xc1\xac\xb5\xc4\xb5\xe3" " (Ctrl+Shift+A)",
     ModelEdit::COMMAND_SELECT_LINKED},   // select all connected points
    {&ModelEdit::undoButton, 380, "ui/toolbar/undo_off.bmp", "ui/toolbar/undo_in.bmp",
     "\xb3\xb7\xcf\xfa" " (Ctrl+Z)", ModelEdit::COMMAND_UNDO},   // undo
    {&ModelEdit::redoButton, 410, "ui/toolbar/redo_off.bmp", "ui/toolbar/redo_in.bmp",
     "\xd6\xd8\xd7\xf6" " (Ctrl+Y)", ModelEdit::COMMAND_REDO},   // redo
    {&ModelEdit::addFaceButton, 460, "ui/toolbar/addFace_off.bmp", "ui/toolbar/addFace_in.bmp",
     "\xbd\xab\xd1\xa1\xd6\xd0\xb5\xc4\xc8\xfd\xb5\xe3\xba\xcf\xb3\xc9\xc3\xe6" " (Ctrl+F)",
     ModelEdit::COMMAND_ADD_FACE},   // make a face of the three selected points
    {&ModelEdit::removeFaceButton, 490, "ui/toolbar/removeFace_off.bmp",
     "ui/toolbar/removeFace_in.bmp", "\xc9\xbe\xb3\xfd\xd1\xa1\xd6\xd0\xb5\xc4\xc3\xe6" " (Ctrl+D)",
     ModelEdit::COMMAND_REMOVE_FACES},   // delete the selected faces
    {&ModelEdit::removePointButton, 520, "ui/toolbar/removePoint_off.bmp",
     "ui/toolbar/removePoint_in.bmp", "\xc9\xbe\xb3\xfd\xd1\xa1\xd6\xd0\xb5\xc4\xb5\xe3" " (Delete)",
     ModelEdit::COMMAND_REMOVE_POINTS},   // delete the selected points
    {&ModelEdit::extendButton, 550, "ui/toolbar/extend_off.bmp", "ui/toolbar/extend_in.bmp",
     "\xd1\xd3\xd5\xb9" " (Ctrl+E)", ModelEdit::COMMAND_EXTEND},   // extend
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
    b.setTooltipText(tooltip);
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
