// The tabs: which screen each shows, which buttons it enables, and the layout
// of the whole window for a root size.
#include <algorithm>
#include <iterator>

#include "app/screens.h"

namespace ovek {

namespace {

// The bar along the bottom is 38 high; the pane sits under the editor's
// toolbar, also 38 high. Rows in the order of layoutOrder below.
constexpr LayoutPlace kLayout[] = {
    {0, 10, 1, -38, 0, 100, 0, 38},    // pattern tab
    {0, 110, 1, -38, 0, 100, 0, 38},   // model tab
    {0, 210, 1, -38, 0, 120, 0, 38},   // image tab
    {0, 0, 1, -38, 1, 0, 0, 38},       // bottom bar
    {1, -250, 1, -38, 0, 33, 0, 38},   // open button
    {1, -200, 1, -38, 0, 25, 0, 38},   // produce button
    {1, -160, 1, -38, 0, 25, 0, 38},   // save button
    {0, 0, 0, 38, 1, 0, 1, -76},       // 3D pane
    {0, 0, 0, 0, 1, 0, 1, -38},        // model editor
    {0, 0, 0, 0, 1, -kSettingsPanelWidth, 1, -38},   // result view: left of the panel
    {0, 0, 0, 0, 1, 0, 1, -38},        // depth picture view: above the bar
    {1, -kSettingsPanelWidth, 0, 0, 0, kSettingsPanelWidth, 1, -38},   // settings panel
};

}  // namespace

void Screens::setState(int state)
{
    main_state = state;
    patternMenu.setSelected(state == MAIN_STATE_PATTERN);
    modelMenu.setSelected(state == MAIN_STATE_MODEL);
    imageMenu.setSelected(state == MAIN_STATE_IMAGE);

    patternPane.setVisible(state == MAIN_STATE_PATTERN);
    imagePane.setVisible(state == MAIN_STATE_IMAGE);
    const bool mesh = state == MAIN_STATE_MODEL && modelType == MODEL_TYPE_3D;
    modelEdit.setVisible(mesh);
    pane3D->setVisible(mesh);
    imageModel.setVisible(state == MAIN_STATE_MODEL && modelType == MODEL_TYPE_IMAGE);

    button_open.setEnabled(state != MAIN_STATE_IMAGE);
    enableSave();
    settingsPane.setShown(state == MAIN_STATE_IMAGE);
    if (state == MAIN_STATE_IMAGE)
        showSettings();
    platform.repaint();
}

void Screens::enableSave()
{
    // Nothing to save before the first result.
    button_save.setEnabled(main_state == MAIN_STATE_MODEL ||
                           (main_state == MAIN_STATE_IMAGE && imagePane.getImage()));
}

void Screens::windowSizeChanged(int, int, int width, int height)
{
    Component* const layoutOrder[] = {&patternMenu, &modelMenu,      &imageMenu,
                                      &bottomBarComponent, &button_open, &button_produce,
                                      &button_save, pane3D,          &modelEdit,
                                      &imagePane,   &imageModel,    &settingsPane};
    static_assert(std::size(kLayout) == sizeof(layoutOrder) / sizeof(layoutOrder[0]));
    for (size_t i = 0; i < std::size(kLayout); ++i) {
        const LayoutPlace& p = kLayout[i];
        layoutOrder[i]->setBounds(p.leftPerWidth * width + p.left, p.topPerHeight * height + p.top,
                                  p.widthPerWidth * width + p.width,
                                  std::max(0, p.heightPerHeight * height + p.height));
    }
    // The background keeps its size, centred above the bar.
    backPane.setBounds((width - backPane.width) / 2, (height - backPane.height - 76) / 2,
                       backPane.width, backPane.height);
    inputsChanged();   // a mesh's stereogram follows the editor's size
}

}  // namespace ovek
