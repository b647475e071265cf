// The screens object: what it holds, in which order it is built on the root,
// and the one instance the window module runs.
#include "app/screens.h"

#include <algorithm>
#include <cstdio>

#include "app/data_files.h"
#include "base/translation.h"
#include "gl/gl_pane_renderer.h"
#include "mesh/model_open.h"
#include "toolkit/picture_loader.h"

#define PEXOLEN_HOME_PAGE "https://pexolen.invalid/"

namespace ovek {

const char* const kHomePage = PEXOLEN_HOME_PAGE;

std::string mainTitle()
{
    // TRANSLATORS: the version, then the web address.
    return trFormat("Pexolen %s  by Ovek  Stereogram maker  %s", PEXOLEN_VERSION, kHomePage);
}

std::string busyTitle()
{
    // TRANSLATORS: the version.
    return trFormat("Pexolen %s  by Ovek  Making the stereogram, please wait...",
                    PEXOLEN_VERSION);
}

namespace {

// The design's tips, each followed by its key.
const char kOpenTip[] = N_("Open (Ctrl+O)");
const char kProduceTip[] = N_("Make the stereogram (F5)");
const char kSaveTip[] = N_("Save (Ctrl+S)");

}  // namespace

Screens::Screens(Platform& owner, PaneRenderer& renderer) : platform(owner)
{
    Component* root = platform.getRootComponent();
    // Keeps this size whatever the picture's: the layout centres the box.
    backPane.setBounds(210, 150, 500, 180);
    backPane.image = loadPicture(findLocalizedPicture("ui/back.bmp"), platform);
    backPane.addEventListener(this);
    root->add(&backPane);
    root->addEventListener(this);   // F1

    // No bounds: they draw from the window's top-left corner and take no clicks.
    patternPane.image = picture("demo/pattern.bmp");
    root->add(&patternPane);
    root->add(&imagePane);

    modelEdit.findDataFile = findDataFile;
    modelEdit.setBounds(0, 0, 861, 528);
    root->add(&modelEdit);

    imageModel.setVisible(false);
    imageModel.clickThroughWhenStill = true;   // the card below answers as before
    root->add(&imageModel);

    initPane3D(renderer);
    initSettingsPanel();   // below the tabs and buttons
    initTabs();
    initButtons();
    // Without a view the editor gets no pane: clicks on the stand-in must not
    // edit a mesh nobody sees.
    Pane3D* panes[] = {view.get()};
    modelEdit.init(&model3DSence, &model3D, panes, view ? 1 : 0);
    startLive();
    root->boundsChangedListener = [this](int l, int t, int w, int h, EventObject*) {
        windowSizeChanged(l, t, w, h);
    };
    windowSizeChanged(0, 0, root->getWidth(), root->getHeight());
    setState(MAIN_STATE_PATTERN);
    meshAsSaved.take(model3D);   // the demo mesh is nobody's work yet
    platform.closeRequested = [this] { return mayClose(); };
    platform.filesDropped = [this](const std::vector<std::string>& paths) { filesDropped(paths); };
    if (platform.windows)
        platform.windows->setMinimumSize(kMinRootWidth, kMinRootHeight);
}

Screens::~Screens()
{
    stopLive();
    Component* root = platform.getRootComponent();
    root->boundsChangedListener = nullptr;
    platform.closeRequested = nullptr;
    platform.filesDropped = nullptr;
    auto& listeners = root->eventListeners;
    listeners.erase(std::remove(listeners.begin(), listeners.end(), this), listeners.end());
    for (Component* c : {static_cast<Component*>(&backPane), static_cast<Component*>(&patternPane),
                         static_cast<Component*>(&imagePane), static_cast<Component*>(&modelEdit),
                         static_cast<Component*>(&imageModel),
                         static_cast<Component*>(&bottomBarComponent),
                         static_cast<Component*>(&patternMenu), static_cast<Component*>(&modelMenu),
                         static_cast<Component*>(&imageMenu), static_cast<Component*>(&button_open),
                         static_cast<Component*>(&button_produce),
                         static_cast<Component*>(&button_save),
                         static_cast<Component*>(&settingsPane)})
        root->remove(c);
    auto& cells = platform.emptyComponents;
    cells.erase(std::remove(cells.begin(), cells.end(), view.get()), cells.end());
}

std::unique_ptr<Image> Screens::picture(const char* relative)
{
    return loadPicture(findDataFile(relative), platform);
}

Image* Screens::keptPicture(const char* relative, bool localized)
{
    // Pictures with words on them come in one set per language.
    std::unique_ptr<Image> img = localized
                                     ? loadPicture(findLocalizedPicture(relative), platform)
                                     : picture(relative);
    if (!img)
        return nullptr;
    buttonPictures.push_back(std::move(img));
    return buttonPictures.back().get();
}

void Screens::initPane3D(PaneRenderer& renderer)
{
    view.reset(createPane3D(0, 38, 861, 490, renderer, platform));
    if (view) {
        view->addSence(&model3DSence);
        pane3D = view.get();
    } else {
        // The screens work on without a view of the mesh.
        std::fprintf(stderr, "pexolen: no OpenGL pane could be made; the model tab shows no view\n");
        noView.setBounds(0, 38, 861, 490);
        pane3D = &noView;
    }
    const std::string demo = findDataFile("demo/demo.3ds");
    if (FileResult r = openModelFile(demo, &model3D); !r)
        std::fprintf(stderr, "pexolen: cannot read '%s': %s\n", demo.c_str(), r.error.c_str());
    model3DSence.addEvent(&model3D);
    model3D.setEmissionColor(1, 0, 0);
    modelEdit.add(pane3D);
}

void Screens::initTabs()
{
    patternMenu.setSelectedImage(keptPicture("ui/tabs/pattern_on.bmp", true));
    patternMenu.setUnselectedImage(keptPicture("ui/tabs/pattern_off.bmp", true));
    modelMenu.setSelectedImage(keptPicture("ui/tabs/model_on.bmp", true));
    modelMenu.setUnselectedImage(keptPicture("ui/tabs/model_off.bmp", true));
    imageMenu.setSelectedImage(keptPicture("ui/tabs/image_on.bmp", true));
    imageMenu.setUnselectedImage(keptPicture("ui/tabs/image_off.bmp", true));
    bottomBarComponent.image = picture("ui/tabs/bar.bmp");
    bottomBarComponent.setStretchModeOn(true);

    Component* root = platform.getRootComponent();
    root->add(&bottomBarComponent);
    for (SelectImageButton* tab : {&patternMenu, &modelMenu, &imageMenu}) {
        tab->addEventListener(this);
        root->add(tab);
    }
    patternMenu.setSelected(true);
    modelMenu.setSelected(false);
    imageMenu.setSelected(false);
}

void Screens::initButtons()
{
    const struct {
        ImageButton& button;
        const char* name;
        const char* tip;
    } buttons[] = {{button_open, "open", kOpenTip},
                   {button_produce, "produce", kProduceTip},
                   {button_save, "save", kSaveTip}};
    for (const auto& b : buttons) {
        const std::string stem = std::string("ui/buttons/") + b.name;
        b.button.setImageMouseOut(keptPicture((stem + "_out.bmp").c_str()));
        b.button.setImageMouseUp(keptPicture((stem + "_up.bmp").c_str()));
        b.button.setImageDisabled(keptPicture((stem + "_dis.bmp").c_str()));
        b.button.setImageMouseDown(keptPicture((stem + "_down.bmp").c_str()));
        b.button.setTooltipText(tr(b.tip));
        b.button.addEventListener(this);
        platform.getRootComponent()->add(&b.button);
    }
}

void Screens::mouseUp(int, int, int, EventObject* source, int, int, bool, InputMods)
{
    if (source == &patternMenu)
        setState(MAIN_STATE_PATTERN);
    else if (source == &modelMenu)
        setState(MAIN_STATE_MODEL);
    else if (source == &imageMenu)
        setState(MAIN_STATE_IMAGE);
    else if (source == &button_open)
        openFileButtonClicked();
    else if (source == &button_save)
        saveFileButtonClicked();
    else if (source == &button_produce)
        produceImageButtonClicked();
    else if (source == &backPane)
        linkToOvek();
}

namespace {
GlPaneRenderer paneRenderer;
std::unique_ptr<Screens> screens;
}  // namespace

void init()
{
    screens = std::make_unique<Screens>(MYPLAT, paneRenderer);
}

void shutDown()
{
    screens.reset();
}

void openStartArguments(const WindowArgs& args)
{
    if (screens)
        screens->openStartArguments(args);
}

}  // namespace ovek
