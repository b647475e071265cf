#include "app/demo_screen.h"

#include <cstdio>
#include <memory>

#include "app/data_files.h"
#include "editor/pane3d.h"
#include "mesh/component3d.h"
#include "scene3d/sence3d.h"

namespace ovek {

namespace {

// Above and below the pane: the toolbar and the tab bar.
constexpr int kPaneTop = 38;         // pixels
constexpr int kPaneBelow = 38;       // pixels

Sence3D model3DSence;
Component3D model3D;
std::unique_ptr<Pane3D> pane3D;

void layout(int, int, int width, int height, EventObject*)
{
    if (pane3D)
        pane3D->setBounds(0, kPaneTop, width, height - kPaneTop - kPaneBelow);
}

}  // namespace

void initDemoScreen()
{
    Component* root = MYPLAT.getRootComponent();
    pane3D.reset(createPane3D(0, kPaneTop, 861, 490));
    if (!pane3D) {
        std::fprintf(stderr, "pexolen: no OpenGL pane could be made on this display\n");
        return;
    }
    const std::string path = findDataFile("demo/demo.3ds");
    const Point3D min(-1, 1, -1), max(1, -1, 1);
    const FileResult loaded = model3D.load(path.c_str(), &min, &max);
    if (!loaded)
        std::fprintf(stderr, "pexolen: cannot read '%s': %s\n", path.c_str(),
                     loaded.error.c_str());
    model3DSence.addEvent(&model3D);
    model3D.setEmissionColor(1, 0, 0);
    pane3D->addSence(&model3DSence);
    root->add(pane3D.get());
    root->boundsChangedListener = layout;
}

}  // namespace ovek
