// The screens' globals. The ones held by value live in this one file so that
// they are made in this order and destroyed in the reverse one.
#include "app/screens.h"

#include <cstdio>

#include "app/data_files.h"
#include "editor/pane3d.h"
#include "base/translation.h"
#include "mesh/model_open.h"
#include "toolkit/platform.h"

#define PEXOLEN_HOME_PAGE "https://pexolen.invalid/"

ovek::ImageComponent* backPane = nullptr;
ovek::ImageComponent* patternPane = nullptr;
ovek::ImageComponent* imagePane = nullptr;
ovek::ImageComponent* imageModel = nullptr;
ovek::ModelEdit* modelEdit = nullptr;
ovek::Component* pane3D = nullptr;
Sence3D model3DSence;
Editable3D model3D;

namespace ovek {

int main_state = MAIN_STATE_PATTERN;
int modelType = MODEL_TYPE_3D;

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

namespace tabs {
SelectImageButton patternMenu;
SelectImageButton modelMenu;
SelectImageButton imageMenu;
ImageComponent bottomBarComponent;
}  // namespace tabs

namespace buttons {
FacesModel facesModel;
ImageButton button_open;
ImageButton button_produce;
ImageButton button_save;

namespace {

const char kOpenTip[] = N_("Open");
const char kProduceTip[] = N_("Make the stereogram");
const char kSaveTip[] = N_("Save");

void setImages(ImageButton& button, const std::string& name)
{
    const std::string stem = "ui/buttons/" + name;
    button.setImageMouseOut(loadPicture((stem + "_out.bmp").c_str()));
    button.setImageMouseUp(loadPicture((stem + "_up.bmp").c_str()));
    button.setImageDisabled(loadPicture((stem + "_dis.bmp").c_str()));
    button.setImageMouseDown(loadPicture((stem + "_down.bmp").c_str()));
}

}  // namespace

void init()
{
    setImages(button_open, "open");
    setImages(button_produce, "produce");
    setImages(button_save, "save");
    button_open.setTooltipText(tr(kOpenTip));
    button_produce.setTooltipText(tr(kProduceTip));
    button_save.setTooltipText(tr(kSaveTip));

    // Until the first resize lays them out.
    const int b = pane3D->getTop() + pane3D->getHeight();
    button_open.setBounds(580, b, 62, 60);
    button_produce.setBounds(656, b, 44, 60);
    button_save.setBounds(708, b, 58, 60);

    button_produce.addMouseUpListener(produceImageButtonClicked);
    button_open.addMouseUpListener(openFileButtonClicked);
    button_save.addMouseUpListener(saveFileButtonClicked);
    Component* root = MYPLAT.getRootComponent();
    root->add(&button_open);
    root->add(&button_produce);
    root->add(&button_save);
}

}  // namespace buttons

void initPane3D()
{
    if (Pane3D* pane = createPane3D(0, 38, 861, 490)) {
        pane->addSence(&model3DSence);
        pane3D = pane;
    } else {
        // The screens work on without a view of the mesh.
        std::fprintf(stderr, "pexolen: no OpenGL pane could be made; the model tab shows no view\n");
        pane3D = new Component;
        pane3D->setBounds(0, 38, 861, 490);
    }
    const std::string demo = findDataFile("demo/demo.3ds");
    if (FileResult r = openModelFile(demo, &model3D); !r)
        std::fprintf(stderr, "pexolen: cannot read '%s': %s\n", demo.c_str(), r.error.c_str());
    model3DSence.addEvent(&model3D);
    model3D.setEmissionColor(1, 0, 0);
    modelEdit->add(pane3D);
}

void init()
{
    Component* root = MYPLAT.getRootComponent();
    backPane = new ImageComponent;
    // Keeps this size whatever the picture's: the layout centres the box.
    backPane->setBounds(210, 150, 500, 180);
    backPane->image = loadPicture(findLocalizedPicture("ui/back.bmp").c_str());
    backPane->addMouseUpListener(linkToOvek);
    root->add(backPane);
    root->addKeyUpListener(helpKeyPressed);

    // No bounds: they draw from the window's top-left corner and take no clicks.
    patternPane = new ImageComponent;
    patternPane->image = loadPicture("demo/pattern.bmp");
    root->add(patternPane);
    imagePane = new ImageComponent;
    root->add(imagePane);

    modelEdit = new ModelEdit;
    modelEdit->findDataFile = findDataFile;
    modelEdit->setBounds(0, 0, 861, 528);
    root->add(modelEdit);

    imageModel = new ImageComponent;
    imageModel->setVisible(false);
    root->add(imageModel);

    initPane3D();
    tabs::init();
    buttons::init();
    modelEdit->init(&model3DSence, &model3D, &pane3D, 1);
    tabs::setState(MAIN_STATE_PATTERN);
}

Image* loadPicture(const char* relative)
{
    const std::string path = findDataFile(relative);
    FileResult result;
    Image* picture = MYPLAT.createImageFromBMP(path.c_str(), &result);
    if (result)
        return picture;
    delete picture;
    std::fprintf(stderr, "pexolen: cannot read '%s': %s\n", path.c_str(), result.error.c_str());
    return nullptr;
}

}  // namespace ovek
