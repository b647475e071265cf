#pragma once
// The controller of the model tab. A component that owns the modeller's
// toolbar, and a listener of the toolbar's buttons, of the panes that show the
// edited mesh and of the root component's keys. It keeps the mode (view or
// edit) and the tool, runs the numbered commands, keeps the undo history and
// draws its handles and selection rectangle over the model.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/editable3d.h"
#include "editor/history_ring.h"
#include "scene3d/overlay_shape.h"
#include "scene3d/sence3d.h"
#include "toolkit/image_component.h"
#include "toolkit/select_image_button.h"

namespace ovek {

class ModelEdit : public Component, public EventListener {
public:
    // Mode (modelState).
    static constexpr int MODEL_VIEW = 0;   // shown plain; transforms move the whole mesh
    static constexpr int MODEL_EDIT = 1;   // points shown; transforms move the selection
    // Tools (modelEditState).
    static constexpr int TOOL_SELECT = 0;
    static constexpr int TOOL_ROTATE = 1;
    static constexpr int TOOL_MOVE = 2;
    static constexpr int TOOL_RESIZE = 3;
    static constexpr int TOOL_INSERT_POINT = 4;
    static constexpr int TOOL_INSERT_TRIANGLE = 5;
    static constexpr int TOOL_INSERT_BOX = 6;
    // Commands (doCommand).
    static constexpr int COMMAND_IMPORT = 1;
    static constexpr int COMMAND_SELECT_ALL = 2;
    static constexpr int COMMAND_SELECT_LINKED = 3;
    static constexpr int COMMAND_UNDO = 4;
    static constexpr int COMMAND_REDO = 5;
    static constexpr int COMMAND_ADD_FACE = 6;
    static constexpr int COMMAND_REMOVE_FACES = 7;
    static constexpr int COMMAND_REMOVE_POINTS = 8;
    static constexpr int COMMAND_EXTEND = 9;
    static constexpr int COMMAND_INSERT_POINT = 10;
    static constexpr int COMMAND_INSERT_TRIANGLE = 11;
    static constexpr int COMMAND_INSERT_BOX = 12;
    static constexpr int kToolbarHeight = 38;   // pixels

    int modelState = MODEL_VIEW;
    int modelEditState = TOOL_SELECT;
    SelectImageButton selectOption;
    SelectImageButton editOption;
    SelectImageButton rotateOption;
    SelectImageButton moveOption;
    SelectImageButton resizeOption;
    SelectImageButton insertPointOption;
    SelectImageButton insertBoxOption;
    SelectImageButton insertTriangleOption;
    ImageButton importButton;
    ImageButton addFaceButton;
    ImageButton removeFaceButton;
    ImageButton removePointButton;
    ImageButton extendButton;
    ImageButton selectAllButton;
    ImageButton selectLinkedButton;
    ImageButton undoButton;
    ImageButton redoButton;
    ImageComponent toolbarBackground;
    Editable3D* model = nullptr;        // the edited mesh; not owned
    std::vector<Component*> panes;      // the panes showing it; not owned
    int paneCount = 0;
    OverlayPainter* overlayDrawer = nullptr;   // draws the overlay; the first pane's renderer
    // The selection rectangle, pane pixels: the pointer now and at the press.
    int dragRectX = 0;
    int dragRectY = 0;
    int dragRectPressX = 0;
    int dragRectPressY = 0;
    bool dragRectShown = false;
    double axisLengthX = 50;            // move and resize handles, pixels
    double axisLengthY = 50;
    double axisLengthZ = 50;
    bool axesShown = false;             // move and resize tools
    int moveAxis = 0;                   // handle picked: 0 x, 1 y, 2 z
    double rotateRadius = 80;           // rotation handles, pixels
    bool rotateHandlesShown = false;    // rotate tool
    int rotateAxis = 0;                 // 0 about x, 1 about y, 2 about the view axis
    // Undo ring: historyFirst, historyLast, historyCurrent. Replace it before
    // init to keep the ring somewhere else than below the working folder.
    HistoryRing history;
    // Turns a toolbar picture's name ("ui/toolbar/...") into the file to
    // read; the name itself when null. Set before init.
    std::string (*findDataFile)(const std::string& relative) = nullptr;
    std::vector<std::unique_ptr<Image>> toolbarImages;   // the buttons' pictures
    // Told after every change of the mesh's shape: each drag step of a
    // transform, every release in the pane that is not a selection, and every
    // command but the two selections (undo, redo and import included). The
    // points are up to date (update) when it is called. Set by the owner.
    std::function<void()> onMeshChanged;
    // Drawn after the overlay, over everything, with the overlay's painter
    // (the live stereogram's preview). Set by the owner.
    std::function<void(OverlayPainter& painter)> afterOverlay;

    ModelEdit();
    // Leaves the mesh, the panes and the history files alone.
    ~ModelEdit() override;

    // Wires the editor to the scene's drawing (the scene must outlive the
    // editor), the mesh and its panes (any component type; a null one, a pane
    // the display could not make, is left out; the first 3D pane's renderer
    // draws the overlay), builds the toolbar and records the first snapshot.
    // Afterwards: view mode, rotate tool.
    template <class Pane>
    void init(Sence3D* scene, Editable3D* mesh, Pane* const* paneList, int count)
    {
        std::vector<Component*> list;
        for (int i = 0; i < count; ++i)
            list.push_back(paneList[i]);
        init(scene, mesh, std::move(list));
    }
    void init(Sence3D* scene, Editable3D* mesh, std::vector<Component*> paneList);

    void setModelState(int s);
    // No range check: another value deselects every tool and hides the handles.
    void setModelEditState(int e);
    // Runs command n (nothing for numbers outside 1 .. 12); always ends by
    // releasing the mesh (endOperate). The import asks for its file; one that
    // reads nothing, or only part of its file, tells the user why in a message.
    void doCommand(int n);
    void optionClicked(int x, int y, int button, EventObject* source, int dx, int dy,
                       bool wasDragged);
    // The key bindings, acting when the key goes down: Ctrl with I, A
    // (Shift+A), Z, Y, F, D, E, Enter, 1 .. 7; Delete without Ctrl.
    // Ctrl, Shift and Alt are those the key's record carries.
    void editKeyUp(int key, EventObject* source, InputMods mods = {});

    // Keys count only from the root component. A press reaches keyUp, a
    // release keyDown (the window layer's key states).
    void keyUp(int key, EventObject* source, InputMods mods = {}) override;
    void keyDown(int key, EventObject* source, InputMods mods = {}) override;
    // Pane records go to the mouse editing; other mouse-ups are button clicks.
    void mouseMove(int x, int y, EventObject* source, InputMods mods = {}) override;
    void mouseDrag(int x, int y, int dxFromPress, int dyFromPress, int dxFromLast, int dyFromLast,
                   EventObject* source, InputMods mods = {}) override;
    void mouseUp(int x, int y, int button, EventObject* source, int dx, int dy, bool wasDragged,
                 InputMods mods = {}) override;

    void initOptions();
    void initListeners();
    void initHistory();
    void updateHistory();
    void undo();
    void redo();
    // The toolbar's background follows the width; the buttons stay.
    void setBounds(int x, int y, int w, int h) override;

    // Mouse editing in a pane, pane pixels; the modifiers are the record's.
    void editMouseMove(int x, int y, EventObject* source, InputMods mods = {});
    void editDragged(int x, int y, int dxFromPress, int dyFromPress, int dxFromLast,
                     int dyFromLast, EventObject* source, InputMods mods = {});
    void editMouseUp(int x, int y, int button, EventObject* source, int dx, int dy,
                     bool wasDragged, InputMods mods = {});
    // The mesh's update mode for the mode and the record's Control key: the
    // selection in edit mode, the whole mesh in view mode or while Control is
    // held. Then, while handles are shown, the mesh is marked changed so that
    // the next draw places the pivot afresh (a selection may have changed).
    void followModifiers(InputMods mods);
    // The overlay, drawn after the scene: what to draw (the rectangle, then
    // the handles around the mesh's centre), and drawing it. Reads the mesh
    // and the editor, changes neither.
    std::vector<OverlayShape> overlayShapes() const;
    void afterModelShow();
    // The last pane point a record reached the editor at; where the insert
    // commands put their geometry when no release gives a point.
    int lastPaneX = 0;
    int lastPaneY = 0;

private:
    Sence3D* scene_ = nullptr;          // whose afterDisplay draws this editor's overlay
    bool isPane(const EventObject* source) const;
    // The command of one of the nine command buttons, 0 for anything else.
    int commandOf(const EventObject* source) const;
    // The pivot (the mesh's centre) in window pixels and depth.
    void pivotWindowPos(double* wx, double* wy, double* wz) const;
    // A toolbar picture, or null when it cannot be read: its slot stays empty.
    std::unique_ptr<Image> readPicture(const char* name) const;
    // The same, kept in toolbarImages.
    Image* toolbarPicture(const char* name);
    // Tooltip, place on the bar, and this editor as its listener.
    void placeButton(ImageButton& b, int x, const char* tooltip);
};

}  // namespace ovek
