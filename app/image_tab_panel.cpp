// The settings panel on the image tab: what it changes and what it shows.
#include "app/screens.h"

namespace ovek {

void Screens::initSettingsPanel()
{
    settingsPane.setVisible(false);
    platform.getRootComponent()->add(&settingsPane);
    settingsPane.attach(settingsPanel.form, platform);
    settingsPanel.changed = [this] {
        settingsPanel.read(settings, outputWidth, outputHeight);
        inputsChanged();
        settingsPanel.showGeometry(stereogramGeometry(productionInput()));
    };
}

void Screens::showSettings()
{
    // The size the design's rule gives, whatever size is chosen now.
    ProductionInput automatic = productionInput();
    automatic.meshWidth = modelEdit.getWidth();
    automatic.meshHeight = modelEdit.getHeight();
    automatic.depthWidth = automatic.depthHeight = 0;
    int w = 0, h = 0;
    resultSize(automatic, w, h);
    settingsPanel.showAutomaticSize(w, h);
    settingsPanel.show(settings, outputWidth, outputHeight);
    settingsPanel.showGeometry(stereogramGeometry(productionInput()));
}

}  // namespace ovek
