#pragma once
// The settings panel of the image tab as a form: one field for each setting
// a user chooses (the command line's options, held to the same limits) and
// for the output size, and lines for the derived numbers and a warning. It
// maps the form to StereogramSettings and back; the screens show it.
#include <functional>

#include "production/production.h"
#include "toolkit/form.h"

namespace ovek {

class SettingsPanel {
public:
    // The fields in the user's language, showing the default settings and
    // the automatic size.
    SettingsPanel();
    SettingsPanel(const SettingsPanel&) = delete;
    SettingsPanel& operator=(const SettingsPanel&) = delete;

    Form form;
    // Field indices, top to bottom.
    int viewing = -1;           // Choice: parallel, cross-eyed
    int eyeSeparation = -1;     // Number, in unit at dpi
    int unit = -1;              // Choice: px, mm, cm, in (LengthUnit's order)
    int dpi = -1;               // Number
    int depthScale = -1;        // Number
    int invert = -1;            // Check
    int pattern = -1;           // Choice: PatternSource's order
    int density = -1;           // Number, active for black and white dots
    int seed = -1;              // Number, active for generated patterns
    int mark = -1;              // Check
    int guides = -1;            // Choice: GuidePlace's order
    int oversample = -1;        // Number
    int automaticSize = -1;     // Check: the size follows the depth source
    int width = -1;             // Number, pixels; active when the size is not automatic
    int height = -1;
    int backgroundRepeat = -1;  // Label
    int nearestRepeat = -1;     // Label
    int levels = -1;            // Label
    int warning = -1;           // Label: empty while the depth is comfortable

    // The user changed a setting or the size; the form is consistent again
    // (units converted, values held). Set by the screens.
    std::function<void()> changed;

    // Shows s and the output size: 0 x 0 is automatic, shown as the size set
    // by showAutomaticSize. An eye separation the form holds in another unit
    // keeps that unit.
    void show(const StereogramSettings& s, int outputWidth, int outputHeight);
    // The size the design's rule gives now, shown while the size is automatic.
    void showAutomaticSize(int w, int h);
    // What the form holds: every setting it shows (the turn, which the editor
    // sets, is left as s has it) and the output size (0 x 0: automatic).
    void read(StereogramSettings& s, int& outputWidth, int& outputHeight) const;
    // The derived numbers, and a warning when the depth is uncomfortable.
    void showGeometry(const StereogramGeometry& g);

private:
    void userChanged(int index);
    void showEyeSeparationIn(LengthUnit u, double pixels);
    void updateActive();

    LengthUnit shownUnit_ = LengthUnit::Pixels;   // the unit the eye separation is in
    int automaticWidth_ = 0;
    int automaticHeight_ = 0;
};

}  // namespace ovek
