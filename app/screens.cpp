// The screens' globals. The ones held by value live in this one file so that
// they are made in this order and destroyed in the reverse one.
#include "app/screens.h"

#include <cstdio>

#include "app/data_files.h"
#include "editor/pane3d.h"
#include "gl/gl_pane_renderer.h"
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

// GBK: "Ovek 出品" (made by Ovek), "三维立体画制作" (stereogram maker),
// "正在生成三维立体画，请稍候..." (making the stereogram, please wait...).
const char* const kMainTitle = "Pexolen " PEXOLEN_VERSION "  Ovek \xb3\xf6\xc6\xb7  "
    "\xc8\xfd\xce\xac\xc1\xa2\xcc\xe5\xbb\xad\xd6\xc6\xd7\xf7  " PEXOLEN_HOME_PAGE;
const char* const kBusyTitle = "Pexolen " PEXOLEN_VERSION "  Ovek \xb3\xf6\xc6\xb7  "
    "\xd5\xfd\xd4\xda\xc9\xfa\xb3\xc9\xc8\xfd\xce\xac\xc1\xa2\xcc\xe5\xbb\xad\xa3\xac"
    "\xc7\xeb\xc9\xd4\xba\xf2...";
const char* const kHomePage = PEXOLEN_HOME_PAGE;

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

// GBK: "打开" (open), "生成三维立体画" (make a 3D stereogram), "保存" (save).
const char kOpenTip[] = "\xb4\xf2\xbf\xaa";
const char kProduceTip[] = "\xc9\xfa\xb3\xc9\xc8\xfd\xce\xac\xc1\xa2\xcc\xe5\xbb\xad";
const char kSaveTip[] = "\xb1\xa3\xb4\xe6";

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
    button_open.setTooltipText(kOpenTip);
    button_produce.setTooltipText(kProduceTip);
    button_save.setTooltipText(kSaveTip);

    button_produce.addMouseUpListener(produceImageButtonClicked);
    button_open.addMouseUpListener(openFileButtonClicked);
    button_save.addMouseUpListener(saveFileButtonClicked);
    Component* root = MYPLAT.getRootComponent();
    root->add(&button_open);
    root->add(&button_produce);
    root->add(&button_save);
}

}  // namespace buttons

namespace {
GlPaneRenderer paneRenderer;
Pane3D* glPane = nullptr;   // pane3D when it is a real view
}  // namespace

void initPane3D()
{
    if (Pane3D* pane = createPane3D(0, 38, 861, 490, paneRenderer)) {
        glPane = pane;
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
    backPane->image = loadPicture("ui/back.bmp");
    backPane->addMouseUpListener(linkToOvek);
    root->add(backPane);

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
    // Without a view the editor gets no pane: clicks on the stand-in must not
    // edit a mesh nobody sees.
    modelEdit->init(&model3DSence, &model3D, &glPane, glPane ? 1 : 0);
    // Laid out for the root as it is now; every later size by the listener.
    windowSizeChanged(0, 0, root->getWidth(), root->getHeight(), root);
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
