#pragma once
// The application's screens: three tabs (pattern, model, result image), the
// open, produce and save buttons beside them, their layout whenever the root
// is resized, and what the buttons do on each tab. The components are globals
// made once and kept until the program ends.
#include <string>
#include <vector>

#include "base/file_result.h"
#include "editor/editable3d.h"
#include "editor/model_edit.h"
#include "engine/triangle_model.h"
#include "production/production.h"
#include "scene3d/sence3d.h"
#include "toolkit/image_button.h"
#include "toolkit/image_component.h"
#include "toolkit/select_image_button.h"

namespace ovek {

constexpr int MAIN_STATE_PATTERN = 0;
constexpr int MAIN_STATE_MODEL = 1;
constexpr int MAIN_STATE_IMAGE = 2;
// MODEL_TYPE_3D and MODEL_TYPE_IMAGE come with the production.

extern int main_state;   // the selected tab; changed only by tabs::setState
extern int modelType;    // depth source of the model tab; changed only by a successful open

// Window titles (GBK): the normal one and the one shown while producing.
extern const char* const kMainTitle;
extern const char* const kBusyTitle;
// Where a click on the background picture leads.
extern const char* const kHomePage;

namespace tabs {
extern SelectImageButton patternMenu;
extern SelectImageButton modelMenu;
extern SelectImageButton imageMenu;
extern ImageComponent bottomBarComponent;   // stretched behind tabs and buttons

// Images, first bounds and listeners of the tabs and the bar; adds them to
// the root and makes windowSizeChanged the root's bounds listener.
void init();
// Selects a tab: what it shows and which buttons it enables.
void setState(int state);
// Mouse-up listener of the three tabs.
void menuClicked(int x, int y, int button, EventObject* source, int dx, int dy, bool dragged);
}  // namespace tabs

namespace buttons {
extern ImageButton button_open;
extern ImageButton button_produce;
extern ImageButton button_save;
extern FacesModel facesModel;   // refilled by each mesh-mode production

// Images, tooltips, first bounds and listeners; adds them to the root.
void init();
// Mouse-up listeners of the three buttons. Every failure is shown to the
// user in a message box and changes nothing.
void openFileButtonClicked(int x, int y, int button, EventObject* source, int dx, int dy,
                           bool dragged);
void saveFileButtonClicked(int x, int y, int button, EventObject* source, int dx, int dy,
                           bool dragged);
void produceImageButtonClicked(int x, int y, int button, EventObject* source, int dx, int dy,
                               bool dragged);
}  // namespace buttons

// An interface picture, found like every data file. A missing or unreadable
// one gives null (nothing is drawn) and one line on standard error naming it.
Image* loadPicture(const char* relative);

// Dialog filters: label and pattern pairs, each NUL-terminated, ending with "".
extern const char kModelOpenFilter[];
extern const char kBMPFilter[];
extern const char kModelSaveFilter[];

// The name a result is saved under: ".bmp" is appended unless the name
// already ends in it (any letter case).
std::string bmpSaveName(const std::string& chosen);

// Open on the model tab: a name ending in "3ds" or "om" (any case) replaces
// the mesh and restarts the editor's history; any other file becomes the
// depth picture. On failure nothing changes and the reason is returned; a
// model read only in part is kept, and the result carries the warning.
FileResult openOnModelTab(const std::string& path);
// Open on the pattern tab: the picture becomes the pattern.
FileResult openPattern(const std::string& path);

// The inputs of a production from the current screens.
ProductionInput productionInput();

// The root's bounds listener: lays tabs, buttons, bar, editor, pane and
// background out for a root of width x height.
void windowSizeChanged(int left, int top, int width, int height, EventObject* source);

// Runs a program found on the search path with its arguments, each passed
// as it stands (no shell), on a thread of its own; returns at once.
void runCommand(const std::vector<std::string>& command);
// Mouse-up listener of the background picture: opens kHomePage in the browser.
void linkToOvek(int x, int y, int button, EventObject* source, int dx, int dy, bool dragged);

// Builds the screens on the platform's root, from the background up, with the
// demonstration pattern and mesh, and selects the pattern tab. Called once,
// after the platform's first init.
void init();
// The OpenGL pane inside the editor, showing model3D loaded from the demo mesh.
void initPane3D();

}  // namespace ovek

// The screens' components (global scope). Made at start-up, never released.
extern ovek::ImageComponent* backPane;     // background picture, the home-page link
extern ovek::ImageComponent* patternPane;  // the pattern, drawn from the top-left corner
extern ovek::ImageComponent* imagePane;    // the produced stereogram
extern ovek::ImageComponent* imageModel;   // the depth picture of the model tab
extern ovek::ModelEdit* modelEdit;         // the model editor
// The OpenGL pane inside the editor; a plain component in its place when the
// window system cannot make one (the screens work on, with no view).
extern ovek::Component* pane3D;
extern Sence3D model3DSence;               // the pane's scene
extern Editable3D model3D;                 // the edited mesh
