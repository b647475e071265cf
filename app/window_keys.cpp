// The keys the screens answer on every tab, beside the editor's (which all
// take Ctrl with I, A, Z, Y, F, D, E, Enter or a digit, or Delete).
#include "app/screens.h"

namespace ovek {

namespace {

// Virtual-key codes, as the window layer reports keys.
constexpr int kKeyF1 = 0x70;
constexpr int kKeyF5 = 0x74;

}  // namespace

void Screens::keyUp(int key, EventObject* source, InputMods mods)
{
    if (source != platform.getRootComponent())
        return;
    const bool ctrl = mods.ctrl && !mods.alt && !mods.shift;
    // A key does what its button does, and nothing where the button is off.
    if (key == kKeyF1)
        openHelp(platform);
    else if (key == kKeyF5 && !mods.ctrl && !mods.alt && button_produce.isEnabled())
        produceImageButtonClicked();
    else if (key == 'O' && ctrl && button_open.isEnabled())
        openFileButtonClicked();
    else if (key == 'S' && ctrl && button_save.isEnabled())
        saveFileButtonClicked();
    else if (key == 'P' && ctrl && main_state == MAIN_STATE_MODEL) {
        livePreviewShown = !livePreviewShown;   // the preview in the pane's corner
        platform.repaint();
    } else
        // The zoom keys, for whichever picture the tab shows.
        for (PictureView* v : {&imagePane, &imageModel})
            if (v->isVisible())
                v->zoomKey(key, mods);
}

}  // namespace ovek
