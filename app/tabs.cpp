// The tabs: which screen each shows, which buttons it enables, and the layout
// of the whole window for a root size.
#include <algorithm>

#include "app/screens.h"
#include "toolkit/platform.h"

namespace ovek {

namespace tabs {

void init()
{
    patternMenu.setSelectedImage(loadPicture("ui/tabs/pattern_on.bmp"));
    patternMenu.setUnselectedImage(loadPicture("ui/tabs/pattern_off.bmp"));
    modelMenu.setSelectedImage(loadPicture("ui/tabs/model_on.bmp"));
    modelMenu.setUnselectedImage(loadPicture("ui/tabs/model_off.bmp"));
    imageMenu.setSelectedImage(loadPicture("ui/tabs/image_on.bmp"));
    imageMenu.setUnselectedImage(loadPicture("ui/tabs/image_off.bmp"));
    bottomBarComponent.image = loadPicture("ui/tabs/bar.bmp");
    bottomBarComponent.setStretchModeOn(true);

    Component* root = MYPLAT.getRootComponent();
    for (SelectImageButton* tab : {&patternMenu, &modelMenu, &imageMenu})
        tab->addMouseUpListener(menuClicked);
    root->add(&bottomBarComponent);
    for (SelectImageButton* tab : {&patternMenu, &modelMenu, &imageMenu})
        root->add(tab);
    patternMenu.setSelected(true);
    modelMenu.setSelected(false);
    imageMenu.setSelected(false);
    root->boundsChangedListener = windowSizeChanged;
}

void setState(int state)
{
    main_state = state;
    patternMenu.setSelected(state == MAIN_STATE_PATTERN);
    modelMenu.setSelected(state == MAIN_STATE_MODEL);
    imageMenu.setSelected(state == MAIN_STATE_IMAGE);

    const bool mesh = state == MAIN_STATE_MODEL && modelType == MODEL_TYPE_3D;
    patternPane->setVisible(state == MAIN_STATE_PATTERN);
    modelEdit->setVisible(mesh);
    pane3D->setVisible(mesh);
    imageModel->setVisible(state == MAIN_STATE_MODEL && modelType == MODEL_TYPE_IMAGE);
    imagePane->setVisible(state == MAIN_STATE_IMAGE);

    buttons::button_open.setEnabled(state != MAIN_STATE_IMAGE);
    buttons::button_save.setEnabled(state != MAIN_STATE_PATTERN);
    MYPLAT.repaint();
}

void menuClicked(int, int, int, EventObject* source, int, int, bool)
{
    if (source == &patternMenu)
        setState(MAIN_STATE_PATTERN);
    else if (source == &modelMenu)
        setState(MAIN_STATE_MODEL);
    else if (source == &imageMenu)
        setState(MAIN_STATE_IMAGE);
}

}  // namespace tabs

void windowSizeChanged(int, int, int width, int height, EventObject*)
{
    const int bar = height - 38;   // top of the tabs and buttons
    tabs::patternMenu.setBounds(10, bar, 100, 38);
    tabs::modelMenu.setBounds(110, bar, 100, 38);
    tabs::imageMenu.setBounds(210, bar, 120, 38);
    tabs::bottomBarComponent.setBounds(0, bar, width, 38);
    buttons::button_open.setBounds(width - 250, bar, 33, 38);
    buttons::button_produce.setBounds(width - 200, bar, 25, 38);
    buttons::button_save.setBounds(width - 160, bar, 25, 38);
    // A window too low for the pane gives it no height rather than a negative
    // one, which would turn its projection upside down.
    pane3D->setBounds(0, 38, width, std::max(0, height - 76));
    modelEdit->setBounds(0, 0, width, std::max(0, height - 38));
    backPane->setBounds((width - backPane->width) / 2, (height - backPane->height - 76) / 2,
                        backPane->width, backPane->height);
}

}  // namespace ovek
