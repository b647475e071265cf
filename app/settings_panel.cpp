#include "app/settings_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/translation.h"
#include "production/depth_comfort.h"

namespace ovek {

namespace {

// Steps and shown digits that suit each unit's numbers.
struct UnitLook {
    double step;
    int decimals;
};
constexpr UnitLook kUnitLooks[] = {{1, 2}, {1, 2}, {0.1, 3}, {0.05, 3}};

FormField choice(const char* label, std::vector<std::string> entries, const char* tip = nullptr)
{
    FormField f;
    f.kind = FieldKind::Choice;
    f.label = tr(label);
    f.choices = std::move(entries);
    f.tooltip = tip ? tr(tip) : "";
    return f;
}

FormField check(const char* label, const char* tip = nullptr)
{
    FormField f;
    f.kind = FieldKind::Check;
    f.label = tr(label);
    f.tooltip = tip ? tr(tip) : "";
    return f;
}

FormField number(const char* label, double value, double minimum, double maximum, double step,
                 int decimals, bool whole, const char* tip = nullptr)
{
    FormField f;
    f.kind = FieldKind::Number;
    f.label = tr(label);
    f.value = value;
    f.minimum = minimum;
    f.maximum = maximum;
    f.step = step;
    f.decimals = decimals;
    f.whole = whole;
    f.tooltip = tip ? tr(tip) : "";
    return f;
}

FormField label()
{
    return FormField{};
}

std::string shownNumber(double v, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

}  // namespace

SettingsPanel::SettingsPanel()
{
    const StereogramSettings d;
    viewing = form.add(choice(N_("Viewing"), {tr("Parallel"), tr("Cross-eyed")},
                              N_("Parallel: eyes relaxed, looking through the picture. "
                                 "Cross-eyed: eyes crossed in front of it.")));
    eyeSeparation = form.add(number(N_("Eye separation"), d.eyeSeparation, kMinEyeSeparation,
                                    kMaxEyeSeparation, 1, 2, false,
                                    N_("Distance between the model eyes: larger gives wider "
                                       "repeats")));
    unit = form.add(choice(N_("Unit"), {tr("px"), tr("mm"), tr("cm"), tr("in")},
                           N_("Pixels, or a length on paper at the resolution")));
    dpi = form.add(number(N_("Resolution (dpi)"), d.dpi, kMinDpi, kMaxDpi, 1, 2, false,
                          N_("Output pixels per inch, for lengths in mm, cm or in")));
    depthScale = form.add(number(N_("Depth scale"), d.depthScale, 0, kMaxDepthScale, 0.05, 4,
                                 false, N_("Multiplies every height: 0 is flat, 2 twice as deep")));
    invert = form.add(check(N_("Invert depth"), N_("Depth pictures: dark is near")));
    pattern = form.add(choice(N_("Pattern"),
                              {tr("Picture"), tr("Dots"), tr("Grey dots"), tr("Colour dots")},
                              N_("The pattern tab's picture, or random dots made on the spot")));
    density = form.add(number(N_("White dots (%)"), d.density, 0, kMaxDensity, 5, 2, false));
    seed = form.add(number(N_("Seed"), d.seed, 0, kMaxSeed, 1, 0, true,
                           N_("The same seed gives the same dots")));
    mark = form.add(check(N_("Signature mark"), N_("The mark in the top-left corner")));
    guides = form.add(choice(N_("Guide dots"), {tr("None"), tr("Top"), tr("Bottom")},
                             N_("Two dots one background repeat apart, to help fusing")));
    oversample = form.add(number(N_("Oversampling"), d.oversample, 1, kMaxOversample, 1, 0, true,
                                 N_("Columns computed per pixel: finer depth steps, more work")));
    automaticSize = form.add(check(N_("Automatic size"),
                                   N_("The editor's size for a model, the picture's own for a "
                                      "depth picture")));
    width = form.add(number(N_("Width (px)"), 866, 1, kMaxProduceSide, 1, 0, true));
    height = form.add(number(N_("Height (px)"), 554, 1, kMaxProduceSide, 1, 0, true));
    backgroundRepeat = form.add(label());
    nearestRepeat = form.add(label());
    levels = form.add(label());
    FormField warn = label();
    warn.emphasis = true;
    warning = form.add(warn);
    form.userChanged = [this](int index) { userChanged(index); };
    show(d, 0, 0);
}

void SettingsPanel::showEyeSeparationIn(LengthUnit u, double pixels)
{
    const double dotsPerInch = form.value(dpi);
    const UnitLook look = kUnitLooks[int(u)];
    FormField& f = form.fields[size_t(eyeSeparation)];
    f.step = look.step;
    f.decimals = look.decimals;
    form.setRange(eyeSeparation, pixelsInUnit(kMinEyeSeparation, u, dotsPerInch),
                  pixelsInUnit(kMaxEyeSeparation, u, dotsPerInch));
    shownUnit_ = u;
    // A length that already gives these pixels stays as typed.
    if (lengthInPixels(form.value(eyeSeparation), u, dotsPerInch) != pixels)
        form.setValue(eyeSeparation, pixelsInUnit(pixels, u, dotsPerInch));
}

void SettingsPanel::show(const StereogramSettings& s, int outputWidth, int outputHeight)
{
    form.setValue(viewing, s.viewing == ViewingMode::CrossEyed);
    form.setValue(dpi, s.dpi);
    showEyeSeparationIn(shownUnit_, s.eyeSeparation);
    form.setValue(depthScale, s.depthScale);
    form.setValue(invert, s.invert);
    form.setValue(pattern, int(s.pattern));
    form.setValue(density, s.density);
    form.setValue(seed, s.seed);
    form.setValue(mark, s.mark);
    form.setValue(guides, int(s.guides));
    form.setValue(oversample, s.oversample);
    const bool automatic = outputWidth <= 0 || outputHeight <= 0;
    form.setValue(automaticSize, automatic);
    form.setValue(width, automatic ? automaticWidth_ : outputWidth);
    form.setValue(height, automatic ? automaticHeight_ : outputHeight);
    updateActive();
}

void SettingsPanel::showAutomaticSize(int w, int h)
{
    automaticWidth_ = w;
    automaticHeight_ = h;
    if (form.value(automaticSize) != 0) {
        form.setValue(width, w);
        form.setValue(height, h);
    }
}

void SettingsPanel::read(StereogramSettings& s, int& outputWidth, int& outputHeight) const
{
    s.viewing = form.value(viewing) != 0 ? ViewingMode::CrossEyed : ViewingMode::Parallel;
    s.dpi = form.value(dpi);
    // The range in the unit was converted from pixels: a length held at its
    // end is the limit itself, not a conversion a bit beside it.
    const FormField& eyes = form.fields[size_t(eyeSeparation)];
    if (eyes.value >= eyes.maximum)
        s.eyeSeparation = kMaxEyeSeparation;
    else if (eyes.value <= eyes.minimum)
        s.eyeSeparation = kMinEyeSeparation;
    else
        s.eyeSeparation = std::clamp(lengthInPixels(eyes.value, shownUnit_, s.dpi),
                                     kMinEyeSeparation, kMaxEyeSeparation);
    s.depthScale = form.value(depthScale);
    s.invert = form.value(invert) != 0;
    s.pattern = PatternSource(int(form.value(pattern)));
    s.density = form.value(density);
    s.seed = uint32_t(form.value(seed));
    s.mark = form.value(mark) != 0;
    s.guides = GuidePlace(int(form.value(guides)));
    s.oversample = int(form.value(oversample));
    const bool automatic = form.value(automaticSize) != 0;
    outputWidth = automatic ? 0 : int(form.value(width));
    outputHeight = automatic ? 0 : int(form.value(height));
}

void SettingsPanel::showGeometry(const StereogramGeometry& g)
{
    form.setText(backgroundRepeat,
                 trFormat("Background repeat: %s px", shownNumber(g.backgroundRepeat, 1)));
    form.setText(nearestRepeat, trFormat("Nearest repeat: %s px", shownNumber(g.nearestRepeat, 1)));
    form.setText(levels, trFormat("Depth levels: %s", std::to_string(g.levels)));
    switch (depthComfort(g)) {
    case DepthComfort::TooStrong:
        form.setText(warning, tr("Too deep to fuse comfortably: lower the depth scale or the eye "
                                 "separation."));
        break;
    case DepthComfort::TooWeak:
        form.setText(warning, tr("Too flat to see: raise the depth scale or the eye separation."));
        break;
    case DepthComfort::Comfortable:
        form.setText(warning, "");
        break;
    }
}

void SettingsPanel::userChanged(int index)
{
    // A new unit keeps the pixels; a new resolution keeps the length on paper
    // (as --dpi does for --eye-separation 6.5cm), held to the range.
    if (index == unit) {
        const double pixels = lengthInPixels(form.value(eyeSeparation), shownUnit_, form.value(dpi));
        showEyeSeparationIn(LengthUnit(int(form.value(unit))), pixels);
    } else if (index == dpi) {
        const double length = form.value(eyeSeparation);
        showEyeSeparationIn(shownUnit_, lengthInPixels(length, shownUnit_, form.value(dpi)));
    } else if (index == width || index == height) {
        // Past this many pixels in all the picture is refused: the side just
        // typed gives way.
        const int other = index == width ? height : width;
        const double most = std::floor(double(kMaxProducePixels) / form.value(other));
        if (form.value(index) > most)
            form.setValue(index, most);
    } else if (index == automaticSize && form.value(automaticSize) != 0) {
        form.setValue(width, automaticWidth_);
        form.setValue(height, automaticHeight_);
    }
    updateActive();
    if (changed)
        changed();
}

void SettingsPanel::updateActive()
{
    const auto source = PatternSource(int(form.value(pattern)));
    form.setActive(density, source == PatternSource::Dots);
    form.setActive(seed, source != PatternSource::Picture);
    const bool automatic = form.value(automaticSize) != 0;
    form.setActive(width, !automatic);
    form.setActive(height, !automatic);
}

}  // namespace ovek
