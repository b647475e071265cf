#pragma once
// The application's screens: three tabs (pattern, model, result image), the
// open, produce and save buttons beside them, their layout whenever the root
// is resized, and what the buttons do on each tab. One object owns them all
// and listens to its own buttons.
#include <memory>
#include <string>
#include <vector>

#include "app/mesh_snapshot.h"
#include "app/window_args.h"
#include "app/settings_panel.h"
#include "base/file_result.h"
#include "editor/editable3d.h"
#include "editor/model_edit.h"
#include "editor/pane3d.h"
#include "production/live_production.h"
#include "production/production.h"
#include "scene3d/pane_renderer.h"
#include "scene3d/sence3d.h"
#include "toolkit/image_button.h"
#include "toolkit/form_pane.h"
#include "toolkit/image_component.h"
#include "toolkit/picture_view.h"
#include "toolkit/platform.h"
#include "toolkit/select_image_button.h"

namespace ovek {

constexpr int MAIN_STATE_PATTERN = 0;
constexpr int MAIN_STATE_MODEL = 1;
constexpr int MAIN_STATE_IMAGE = 2;
// MODEL_TYPE_3D and MODEL_TYPE_IMAGE come with the production.

// Window titles in the user's language: the normal one and the one shown
// while producing.
std::string mainTitle();
std::string busyTitle();
// The product's web address, named in the title.
extern const char* const kHomePage;

// Dialog filters: label and pattern pairs, each NUL-terminated, ending with "".
// Open on the model tab and on the pattern tab, save of a picture (a result
// or a depth picture) and of the mesh.
extern const char kModelOpenFilter[];
extern const char kPictureOpenFilter[];
extern const char kPictureSaveFilter[];
extern const char kModelSaveFilter[];

// Runs a program found on the search path with its arguments, each passed
// as it stands (no shell), on a thread of its own; returns at once.
void runCommand(const std::vector<std::string>& command);
// Opens the help page with xdg-open; when that fails, a message box names the
// page so that the user can open it by hand.
void openHelp(Platform& platform);

// Where a component sits for a root of W x H: each value is a multiple of the
// root's width or height plus a constant. A height that would be negative is
// 0 (a pane of negative height would turn its projection upside down).
struct LayoutPlace {
    int leftPerWidth, left;
    int topPerHeight, top;
    int widthPerWidth, width;
    int heightPerHeight, height;
};

// The settings panel's width at the image tab's right edge; the result takes
// the rest of the tab: (0, 0) to (root width - this, root height - the bar).
constexpr int kSettingsPanelWidth = 230;
// The panel's rows need this height above the bar; the window should not be
// made lower than this plus the bar.
constexpr int kSettingsPanelHeight = 500;

// The smallest root the layout works in. Width: the bar's tabs end at 330 and
// its first button starts 250 from the right edge; the editor's toolbar ends
// at 580. Height: the settings panel's rows above the 38 of the bar (from 180
// on the background picture already clears the bar, so no click on the bar
// falls through to it).
constexpr int kMinRootWidth = 580;
constexpr int kMinRootHeight = kSettingsPanelHeight + 38;

// Where a file given by name (an argument, a drop) goes: a picture dropped on
// the pattern tab becomes the pattern; anything else is a model (by its
// ending) or a depth picture for the model tab.
enum class FileTarget { Pattern, ModelTab };
FileTarget fileTargetOf(int mainState, const std::string& path);

class Screens : public EventListener {
public:
    // Builds the screens on platform's root, from the background up, with the
    // demonstration pattern and mesh, lays them out for the root's size and
    // selects the pattern tab. renderer draws the 3D pane (it outlives the
    // screens); without an OpenGL pane the model tab shows no view and the
    // editor gets no pane.
    Screens(Platform& platform, PaneRenderer& renderer);
    // Takes every component off the root, which outlives the screens.
    ~Screens() override;
    Screens(const Screens&) = delete;
    Screens& operator=(const Screens&) = delete;

    Platform& platform;
    int main_state = MAIN_STATE_PATTERN;   // the selected tab; changed only by setState
    int modelType = MODEL_TYPE_3D;         // depth source of the model tab; changed by open

    // Made in this order, destroyed in the reverse one.
    Sence3D model3DSence;                  // the pane's scene
    Editable3D model3D;                    // the edited mesh
    ImageComponent backPane;               // background picture, the home-page link
    ImageComponent patternPane;            // the pattern, drawn from the top-left corner
    PictureView imagePane;                 // the produced stereogram, zoomed and scrolled
    PictureView imageModel;                // the depth picture of the model tab, likewise
    ModelEdit modelEdit;                   // the model editor
    std::unique_ptr<Pane3D> view;          // the OpenGL pane, when one could be made
    Component noView;                      // in its place otherwise
    Component* pane3D = nullptr;           // view or noView: what the layout places
    std::vector<std::unique_ptr<Image>> buttonPictures;   // the tabs' and buttons' images
    SelectImageButton patternMenu;
    SelectImageButton modelMenu;
    SelectImageButton imageMenu;
    ImageComponent bottomBarComponent;     // stretched behind tabs and buttons
    ImageButton button_open;
    ImageButton button_produce;
    ImageButton button_save;

    // How the image tab's stereogram is made, and its size: 0 x 0 follows the
    // design's rule (the editor's size for a mesh, the picture's own for a
    // depth picture).
    StereogramSettings settings;
    int outputWidth = 0;
    int outputHeight = 0;

    // The settings panel on the image tab (app/image_tab_panel.cpp): edits
    // settings and the output size, shows the derived numbers. The pane holds
    // the panel's native widgets and goes before the panel.
    SettingsPanel settingsPanel;
    FormPane settingsPane;
    // Shows settings, the output size and what they give in the panel: after
    // changing them elsewhere (start-up arguments), and on entering the tab.
    void showSettings();

    // Selects a tab: what it shows and which buttons it enables.
    void setState(int state);
    // Lays tabs, buttons, bar, editor, pane and background out for a root of
    // width x height, by kLayout.
    void windowSizeChanged(int left, int top, int width, int height);

    // Open on the model tab: a name ending in "3ds" or "om" (any case)
    // replaces the mesh and restarts the editor's history; any other file
    // becomes the depth picture. On failure nothing changes and the reason is
    // returned; a model read only in part is kept, and the result carries the
    // warning.
    FileResult openOnModelTab(const std::string& path);
    // Open on the pattern tab: the picture becomes the pattern.
    FileResult openPattern(const std::string& path);
    // The inputs of a production from the current screens.
    ProductionInput productionInput();
    // Something the stereogram depends on changed (a setting, the size, the
    // pattern, the depth picture or the mesh): the image tab's result is out
    // of date.
    void inputsChanged();

    // What the buttons do. Every failure is shown to the user in a message
    // box and changes nothing.
    void openFileButtonClicked();
    void saveFileButtonClicked();
    void produceImageButtonClicked();
    // The background picture: opens the help page.
    void linkToOvek();

    // --- Save by name, and no lost work (file_buttons.cpp, unsaved_work.cpp) ---
    MeshSnapshot meshAsSaved;     // the mesh as last opened or saved
    bool resultUnsaved = false;   // the user produced the image tab's result and did not save it
    // Whether saving the mesh would write something other than what was last
    // opened or saved.
    bool meshEdited() const;
    // Before the mesh is replaced: when it was edited, asks question (save,
    // discard, cancel). True when the caller may go on: nothing to keep,
    // discarded, or saved.
    bool keepMeshEdits(const std::string& question);
    // The close request: asks about an edited mesh and then an unsaved result;
    // true when the window may close. A cancel, or a save cancelled or
    // failed, keeps it open.
    bool mayClose();
    // Ask for a name and save the result (by its picture ending, BMP
    // otherwise) or the mesh (".om" added without a model ending); false when
    // cancelled or failed (said to the user).
    bool saveResult();
    bool saveMesh();
    // Start-up and files: the window's arguments, dropped files, the keys
    // and the note after the title.
    std::string statusNote;   // what was last opened or saved, or failed; "" until then
    // The design's title, followed by the note when there is one.
    std::string titleText() const;
    void setStatusNote(const std::string& note);
    // Opens what "pexolen [OPTIONS] [FILE...]" asked for: the settings and
    // size, the pattern, then each file on the model tab in turn (the model
    // tab is shown when one opened). Without --size, a mesh gets produce's
    // size rather than the window's. Files that cannot be read are reported
    // together in one message box.
    void openStartArguments(const WindowArgs& args);
    // Files dropped on the window, each where fileTargetOf sends it.
    void filesDropped(const std::vector<std::string>& paths);
    // Opens path where target says, notes it, and adds the reason to
    // failures when it cannot be read (a warning for a model read in part).
    bool openNamed(const std::string& path, FileTarget target, std::vector<std::string>& failures);

    // Clicks (mouse-ups) on the tabs, the three buttons and the background.
    void mouseUp(int x, int y, int button, EventObject* source, int dx, int dy, bool dragged,
                 InputMods mods = {}) override;
    // On the root: F1 opens the help page; Ctrl+O, Ctrl+S and F5 are the
    // open, save and produce buttons wherever those are enabled; the zoom
    // keys go to the picture shown (the result or the depth picture).
    void keyUp(int key, EventObject* source, InputMods mods = {}) override;

    // The live stereogram: every inputsChanged asks for it anew on a worker
    // thread, and the newest result replaces the image tab's picture as soon
    // as the main loop is woken. Stopped first when the screens go.
    std::unique_ptr<LiveProduction> live;
    unsigned liveShown = 0;                // the request the image tab shows; 0: none
    std::string liveKey;                   // what the newest request was made from
    // Main thread: puts a finished live result on the image tab (a refused
    // input empties it). Whether one was installed.
    bool installLiveResult();
    // Whether the image tab shows the stereogram of the newest inputs.
    bool liveIsCurrent();
    // When the newest request is that of the current inputs, waits for it and
    // installs it, rather than making the same picture twice.
    void finishLive();
    // The model tab's preview of the live stereogram: the result scaled to a
    // quarter of the pane's width, framed, drawn in the pane's bottom-right
    // corner over the mesh. Ctrl+P on the model tab hides and shows it.
    PixelSurface livePreview{0, 0};
    bool livePreviewShown = true;
    void updateLivePreview();
    // Where the preview's top-left corner sits in the pane, pane pixels.
    int livePreviewX() const;
    int livePreviewY() const;

private:
    // An interface picture found like every data file, or null (named on
    // standard error). Kept by buttonPictures when keep is set.
    std::unique_ptr<Image> picture(const char* relative);
    Image* keptPicture(const char* relative, bool localized = false);
    void initPane3D(PaneRenderer& renderer);
    void initTabs();
    void initButtons();
    // The live stereogram's worker and its wiring to the main loop and the editor.
    void startLive();
    void stopLive();
    void initSettingsPanel();
    // Save is enabled on the model tab, and on the image tab once there is a result.
    void enableSave();
};

// The window's start-up, as the window module calls it: the screens on MYPLAT,
// kept until shut down.
void init();
void shutDown();
// Opens what the window's arguments asked for on the screens made by init.
void openStartArguments(const WindowArgs& args);

}  // namespace ovek
