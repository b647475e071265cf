#include "editor/model_edit.h"

#include <algorithm>

#include "base/translation.h"
#include "editor/edit_operations.h"
#include "editor/pane3d.h"
#include "toolkit/platform.h"

namespace ovek {

namespace {

// Windows virtual-key codes of the bindings.
constexpr int kKeyEnter = 0x0D;
constexpr int kKeyDelete = 0x2E;

}  // namespace

ModelEdit::ModelEdit() = default;

ModelEdit::~ModelEdit()
{
    if (scene_)
        scene_->afterDisplay = nullptr;
    // The root outlives every editor; the panes may already be gone.
    auto& rootListeners = MYPLAT.getRootComponent()->eventListeners;
    rootListeners.erase(std::remove(rootListeners.begin(), rootListeners.end(), this),
                        rootListeners.end());
}

void ModelEdit::init(Sence3D* scene, Editable3D* mesh, std::vector<Component*> paneList)
{
    if (scene_ && scene_ != scene)
        scene_->afterDisplay = nullptr;
    scene_ = scene;
    if (scene) {
        scene->beforeDisplay = nullptr;   // nothing to do before the model
        scene->afterDisplay = [this] { afterModelShow(); };
    }
    modelState = MODEL_VIEW;
    modelEditState = TOOL_ROTATE;
    model = mesh;
    panes = std::move(paneList);
    panes.erase(std::remove(panes.begin(), panes.end(), nullptr), panes.end());
    paneCount = int(panes.size());
    overlayDrawer = nullptr;
    for (Component* p : panes)
        if (auto* pane = dynamic_cast<Pane3D*>(p); pane && !overlayDrawer)
            overlayDrawer = pane->renderer;
    initOptions();
    initListeners();
    axisLengthX = axisLengthY = axisLengthZ = 50;
    rotateRadius = 80;
    initHistory();
}

void ModelEdit::initListeners()
{
    MYPLAT.getRootComponent()->addEventListener(this);
    for (Component* p : panes)
        p->addEventListener(this);
}

void ModelEdit::setModelState(int s)
{
    modelState = s;
    editOption.setSelected(s == MODEL_EDIT);
    if (s == MODEL_EDIT) {
        model->setShowMode(2);
    } else {
        model->setShowMode(0);
        // The select tool means nothing in view mode.
        if (modelEditState == TOOL_SELECT)
            setModelEditState(TOOL_MOVE);
    }
    selectOption.setEnabled(s == MODEL_EDIT);
}

void ModelEdit::setModelEditState(int e)
{
    modelEditState = e;
    selectOption.setSelected(e == TOOL_SELECT);
    moveOption.setSelected(e == TOOL_MOVE);
    rotateOption.setSelected(e == TOOL_ROTATE);
    resizeOption.setSelected(e == TOOL_RESIZE);
    insertPointOption.setSelected(e == TOOL_INSERT_POINT);
    insertTriangleOption.setSelected(e == TOOL_INSERT_TRIANGLE);
    insertBoxOption.setSelected(e == TOOL_INSERT_BOX);
    axesShown = e == TOOL_MOVE || e == TOOL_RESIZE;
    rotateHandlesShown = e == TOOL_ROTATE;
}

void ModelEdit::doCommand(int n)
{
    if (!model)
        return;
    switch (n) {
    case COMMAND_IMPORT: {
        const char* chosen = MYPLAT.loadFile(trFilter(MODEL_EDIT::kImportFilter).c_str());
        if (chosen) {
            const std::string path = chosen;
            const FileResult r = MODEL_EDIT::operation_import(model, this, path);
            if (!r || !r.warning.empty()) {
                const std::string text =
                    r ? trFormat("Imported in part from '%s':\n%s", path, r.warning)
                      : trFormat("Nothing imported from '%s':\n%s", path, r.error);
                MYPLAT.showMessage("Pexolen", text.c_str());
            }
        }
        setModelState(MODEL_EDIT);
        setModelEditState(TOOL_MOVE);
        break;
    }
    case COMMAND_SELECT_ALL:
        selectAllPoints(*model);
        break;
    case COMMAND_SELECT_LINKED:
        selectLinkedPoints(*model);
        break;
    case COMMAND_UNDO:
        undo();
        break;
    case COMMAND_REDO:
        redo();
        break;
    case COMMAND_ADD_FACE:
        if (addFaceOfSelection(*model))
            updateHistory();
        break;
    case COMMAND_REMOVE_FACES:
        removeSelectedFaces(*model);
        updateHistory();
        break;
    case COMMAND_REMOVE_POINTS:
        removeSelectedPoints(*model);
        updateHistory();
        break;
    case COMMAND_EXTEND:
        extendSelection(*model);
        break;
    case COMMAND_INSERT_POINT:
        MODEL_EDIT::operation_insert_point(model, this, lastPaneX, lastPaneY);
        break;
    case COMMAND_INSERT_TRIANGLE:
        MODEL_EDIT::operation_insert_triangle(model, this, lastPaneX, lastPaneY);
        break;
    case COMMAND_INSERT_BOX:
        MODEL_EDIT::operation_insert_box(model, this, lastPaneX, lastPaneY);
        break;
    default:
        break;
    }
    // The lists were edited directly: whatever was derived from them is stale.
    model->refresh();
    model->endOperate();
    if (onMeshChanged && n >= COMMAND_IMPORT && n <= COMMAND_INSERT_BOX &&
        n != COMMAND_SELECT_ALL && n != COMMAND_SELECT_LINKED) {
        model->update();
        onMeshChanged();
    }
}

void ModelEdit::editKeyUp(int key, EventObject*, InputMods mods)
{
    followModifiers(mods);
    const bool ctrl = mods.ctrl;
    const bool shift = mods.shift;
    if (!ctrl) {
        if (key == kKeyDelete)
            doCommand(COMMAND_REMOVE_POINTS);
        return;
    }
    switch (key) {
    case 'I':
        doCommand(COMMAND_IMPORT);
        break;
    case 'A':
        doCommand(shift ? COMMAND_SELECT_LINKED : COMMAND_SELECT_ALL);
        break;
    case 'Z':
        doCommand(COMMAND_UNDO);
        break;
    case 'Y':
        doCommand(COMMAND_REDO);
        break;
    case 'F':
        doCommand(COMMAND_ADD_FACE);
        break;
    case 'D':
        doCommand(COMMAND_REMOVE_FACES);
        break;
    case 'E':
        doCommand(COMMAND_EXTEND);
        break;
    case kKeyEnter:
        setModelState(modelState == MODEL_EDIT ? MODEL_VIEW : MODEL_EDIT);
        break;
    default: {
        // Ctrl+1 .. Ctrl+7 follow the toolbar's order, not the tools' numbers.
        static const int toolOfDigit[7] = {TOOL_SELECT,       TOOL_MOVE,
                                           TOOL_ROTATE,       TOOL_RESIZE,
                                           TOOL_INSERT_POINT, TOOL_INSERT_TRIANGLE,
                                           TOOL_INSERT_BOX};
        if (key >= '1' && key <= '7')
            setModelEditState(toolOfDigit[key - '1']);
        break;
    }
    }
}

void ModelEdit::keyUp(int key, EventObject* source, InputMods mods)
{
    if (source == MYPLAT.getRootComponent()) {
        editKeyUp(key, source, mods);
        followModifiers(mods);
    }
}

void ModelEdit::keyDown(int, EventObject* source, InputMods mods)
{
    if (source == MYPLAT.getRootComponent())
        followModifiers(mods);   // Control let go: the selection's transform again
}

bool ModelEdit::isPane(const EventObject* source) const
{
    return std::find(panes.begin(), panes.end(), source) != panes.end();
}

void ModelEdit::mouseMove(int x, int y, EventObject* source, InputMods mods)
{
    if (isPane(source))
        editMouseMove(x, y, source, mods);
}

void ModelEdit::mouseDrag(int x, int y, int dxFromPress, int dyFromPress, int dxFromLast,
                          int dyFromLast, EventObject* source, InputMods mods)
{
    if (isPane(source))
        editDragged(x, y, dxFromPress, dyFromPress, dxFromLast, dyFromLast, source, mods);
}

void ModelEdit::mouseUp(int x, int y, int button, EventObject* source, int dx, int dy,
                        bool wasDragged, InputMods mods)
{
    if (isPane(source)) {
        editMouseUp(x, y, button, source, dx, dy, wasDragged, mods);
        return;
    }
    if (const int command = commandOf(source))
        doCommand(command);
    else
        optionClicked(x, y, button, source, dx, dy, wasDragged);
    followModifiers(mods);
}

void ModelEdit::initHistory()
{
    if (model)
        history.initHistory(model);
}

void ModelEdit::updateHistory()
{
    if (model)
        history.updateHistory(model);
}

void ModelEdit::undo()
{
    if (model)
        history.undo(model);
}

void ModelEdit::redo()
{
    if (model)
        history.redo(model);
}

void ModelEdit::setBounds(int x, int y, int w, int h)
{
    Component::setBounds(x, y, w, h);
    toolbarBackground.setBounds(0, 0, w, kToolbarHeight);
}

}  // namespace ovek
