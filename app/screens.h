#pragma once
// The application's screens: three tabs (pattern, model, result image), the
// open, produce and save buttons beside them, their layout whenever the root
// is resized, and what the buttons do on each tab. One object owns them all
// and listens to its own buttons.
#include <memory>
#include <string>
#include <vector>

#include "app/settings_panel.h"
#include "base/file_result.h"
#include "editor/editable3d.h"
#include "editor/model_edit.h"
#include "editor/pane3d.h"
#include "production/production.h"
#include "scene3d/pane_renderer.h"
#include "scene3d/sence3d.h"
#include "toolkit/image_button.h"
#include "toolkit/form_pane.h"
#include "toolkit/image_component.h"
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
extern const char kModelOpenFilter[];
extern const char kBMPFilter[];
extern const char kModelSaveFilter[];

// The name a result is saved under: ".bmp" is appended unless the name
// already ends in it (any letter case).
std::string bmpSaveName(const std::string& chosen);

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
    ImageComponent imagePane;              // the produced stereogram
    ImageComponent imageModel;             // the depth picture of the model tab
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

    // Clicks (mouse-ups) on the tabs, the three buttons and the background.
    void mouseUp(int x, int y, int button, EventObject* source, int dx, int dy, bool dragged,
                 InputMods mods = {}) override;
    // F1 on the root opens the help page.
    void keyUp(int key, EventObject* source, InputMods mods = {}) override;

private:
    // An interface picture found like every data file, or null (named on
    // standard error). Kept by buttonPictures when keep is set.
    std::unique_ptr<Image> picture(const char* relative);
    Image* keptPicture(const char* relative, bool localized = false);
    void initPane3D(PaneRenderer& renderer);
    void initTabs();
    void initButtons();
    void initSettingsPanel();
};

// The window's start-up, as the window module calls it: the screens on MYPLAT,
// kept until shut down.
void init();
void shutDown();

}  // namespace ovek
