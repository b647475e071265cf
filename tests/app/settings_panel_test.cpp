// The settings panel as the user fills it: every choice gives the settings
// the command line's options give for the same choice, values out of range
// are held where the command line draws its limits, and showing what was
// read keeps every field as the user left it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/cli_settings.h"
#include "app/settings_panel.h"

using namespace ovek;

namespace {

// The command line's reading of options (split at spaces) as produce takes them.
void commandLine(const std::string& options, StereogramSettings& s, int& w, int& h)
{
    const CommandSpec produce{"produce", "usage", stereogramCommandOptions({}), 0};
    Args args;
    size_t start = 0;
    while (start < options.size()) {
        const size_t space = options.find(' ', start);
        const size_t end = space == std::string::npos ? options.size() : space;
        if (end > start)
            args.push_back(options.substr(start, end - start));
        start = end + 1;
    }
    ParsedArgs parsed;
    bool given = false;
    w = h = 0;
    ASSERT_EQ(parseWithSettings(produce, args, parsed, s, w, h, given), kContinue) << options;
}

void expectSame(const StereogramSettings& a, const StereogramSettings& b)
{
    EXPECT_EQ(a.viewing, b.viewing);
    EXPECT_EQ(a.eyeSeparation, b.eyeSeparation);
    EXPECT_EQ(a.dpi, b.dpi);
    EXPECT_EQ(a.depthScale, b.depthScale);
    EXPECT_EQ(a.invert, b.invert);
    EXPECT_EQ(a.pattern, b.pattern);
    EXPECT_EQ(a.density, b.density);
    EXPECT_EQ(a.seed, b.seed);
    EXPECT_EQ(a.mark, b.mark);
    EXPECT_EQ(a.guides, b.guides);
    EXPECT_EQ(a.oversample, b.oversample);
    EXPECT_EQ(a.rotateX, b.rotateX);
    EXPECT_EQ(a.rotateY, b.rotateY);
    EXPECT_EQ(a.rotateZ, b.rotateZ);
}

std::vector<double> values(const Form& form)
{
    std::vector<double> v;
    for (const FormField& f : form.fields)
        v.push_back(f.value);
    return v;
}

struct Case {
    std::string cli;
    std::function<void(SettingsPanel&)> fill;   // what the user enters, in order
};

TEST(SettingsPanel, EveryChoiceGivesTheCommandLinesSettingsAndSurvivesTheRoundTrip)
{
    using P = SettingsPanel;
    auto enter = [](int P::*field, double v) {
        return [field, v](P& p) { p.form.enterValue(p.*field, v); };
    };
    auto all = [](std::vector<std::function<void(P&)>> steps) {
        return [steps](P& p) {
            for (const auto& step : steps)
                step(p);
        };
    };
    const Case cases[] = {
        {"", [](P&) {}},
        {"--cross-eyed", enter(&P::viewing, 1)},
        {"--eye-separation 150.5", enter(&P::eyeSeparation, 150.5)},
        // A length on paper: the unit first, then the resolution, then the length.
        {"--eye-separation 6.5cm --dpi 300",
         all({enter(&P::unit, 2), enter(&P::dpi, 300), enter(&P::eyeSeparation, 6.5)})},
        {"--dpi 100 --eye-separation 50.8mm",
         all({enter(&P::unit, 1), enter(&P::dpi, 100), enter(&P::eyeSeparation, 50.8)})},
        {"--eye-separation 2in --dpi 72",
         all({enter(&P::dpi, 72), enter(&P::unit, 3), enter(&P::eyeSeparation, 2)})},
        // A resolution changed after the length keeps the length on paper.
        {"--eye-separation 20mm --dpi 600",
         all({enter(&P::unit, 1), enter(&P::eyeSeparation, 20), enter(&P::dpi, 600)})},
        {"--depth-scale 0.35 --invert", all({enter(&P::depthScale, 0.35), enter(&P::invert, 1)})},
        {"--pattern dots --density 30 --seed 9",
         all({enter(&P::pattern, 1), enter(&P::density, 30), enter(&P::seed, 9)})},
        {"--pattern grey-dots --seed 4294967295",
         all({enter(&P::pattern, 2), enter(&P::seed, 4294967295.0)})},
        {"--pattern colour-dots", enter(&P::pattern, 3)},
        {"--mark none --guides top", all({enter(&P::mark, 0), enter(&P::guides, 1)})},
        {"--guides bottom --oversample 3", all({enter(&P::guides, 2), enter(&P::oversample, 3)})},
        {"--size 300x200",
         all({enter(&P::automaticSize, 0), enter(&P::width, 300), enter(&P::height, 200)})},
        // Out of range: held where the command line's range ends.
        {"--eye-separation 1000", enter(&P::eyeSeparation, 5000)},
        {"--eye-separation 20", enter(&P::eyeSeparation, -1)},
        {"--dpi 10", enter(&P::dpi, 1)},
        {"--dpi 4800 --eye-separation 1000",
         all({enter(&P::unit, 3), enter(&P::eyeSeparation, 99), enter(&P::dpi, 9000)})},
        {"--depth-scale 2.27", enter(&P::depthScale, 7)},
        {"--depth-scale 0", enter(&P::depthScale, -0.5)},
        {"--pattern dots --density 100", all({enter(&P::pattern, 1), enter(&P::density, 150)})},
        {"--pattern dots --seed 0", all({enter(&P::pattern, 1), enter(&P::seed, -3)})},
        {"--pattern dots --seed 4294967295", all({enter(&P::pattern, 1), enter(&P::seed, 1e12)})},
        {"--pattern colour-dots --seed 8", all({enter(&P::pattern, 3), enter(&P::seed, 7.6)})},
        {"--oversample 8", enter(&P::oversample, 20)},
        {"--oversample 1", enter(&P::oversample, 0.2)},
        {"--cross-eyed", enter(&P::viewing, 9)},
        {"--size 16384x4096",
         all({enter(&P::automaticSize, 0), enter(&P::width, 1e6), enter(&P::height, 16384)})},
        {"--size 1x1",
         all({enter(&P::automaticSize, 0), enter(&P::width, 0), enter(&P::height, -5)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cli);
        SettingsPanel panel;
        panel.showAutomaticSize(866, 553);
        int told = 0;
        panel.changed = [&] { ++told; };
        c.fill(panel);
        StereogramSettings fromForm;
        int w = -1, h = -1;
        panel.read(fromForm, w, h);
        StereogramSettings fromCli;
        int cliW = 0, cliH = 0;
        commandLine(c.cli, fromCli, cliW, cliH);
        expectSame(fromForm, fromCli);
        EXPECT_EQ(w, cliW);
        EXPECT_EQ(h, cliH);
        EXPECT_EQ(told > 0, !c.cli.empty()) << "entries are reported";

        // Shown again, the form keeps what the user left, unit included.
        const std::vector<double> before = values(panel.form);
        panel.show(fromForm, w, h);
        EXPECT_EQ(values(panel.form), before);
        // Another panel shows the same settings and reads them back.
        SettingsPanel other;
        other.show(fromForm, w, h);
        StereogramSettings again;
        int w2 = -1, h2 = -1;
        other.read(again, w2, h2);
        expectSame(again, fromForm);
        EXPECT_EQ(w2, w);
        EXPECT_EQ(h2, h);
    }
}

// A unit changes how the length reads, never the length: any trip through
// the units gives back the same pixels, up to the last bits.
TEST(SettingsPanel, UnitsConvertTheShownLengthAndKeepItsPixels)
{
    for (double dpi : {10.0, 72.0, 96.0, 300.0, 4800.0})
        for (double pixels : {20.0, 123.4, 777.0, 1000.0}) {
            SettingsPanel panel;
            panel.form.enterValue(panel.dpi, dpi);
            panel.form.enterValue(panel.eyeSeparation, pixels);
            for (int unit : {1, 3, 2, 0, 2, 1, 3}) {
                panel.form.enterValue(panel.unit, unit);
                StereogramSettings s;
                int w, h;
                panel.read(s, w, h);
                EXPECT_NEAR(s.eyeSeparation, pixels, pixels * 1e-12) << dpi << " dpi, unit " << unit;
                const FormField& f = panel.form.fields[size_t(panel.eyeSeparation)];
                EXPECT_GE(f.value, f.minimum);
                EXPECT_LE(f.value, f.maximum);
            }
        }
}

// Fields that do nothing for the current choice take no input.
TEST(SettingsPanel, FieldsThatDoNothingForTheChoiceAreInactive)
{
    SettingsPanel panel;
    auto active = [&](int field) { return panel.form.fields[size_t(field)].active; };
    EXPECT_FALSE(active(panel.density));
    EXPECT_FALSE(active(panel.seed));
    EXPECT_FALSE(active(panel.width));
    panel.form.enterValue(panel.pattern, 2);   // grey dots: a seed, no density
    EXPECT_FALSE(active(panel.density));
    EXPECT_TRUE(active(panel.seed));
    panel.form.enterValue(panel.pattern, 1);
    EXPECT_TRUE(active(panel.density));

    // The automatic size shows and, unticked, starts from the size it gave.
    panel.showAutomaticSize(640, 480);
    EXPECT_EQ(panel.form.value(panel.width), 640);
    panel.form.enterValue(panel.automaticSize, 0);
    EXPECT_TRUE(active(panel.width));
    StereogramSettings s;
    int w = 0, h = 0;
    panel.read(s, w, h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    panel.form.enterValue(panel.width, 100);   // an inactive field ignores entries
    panel.form.enterValue(panel.automaticSize, 1);
    panel.form.enterValue(panel.width, 5);
    panel.read(s, w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(panel.form.value(panel.width), 640);
}

}  // namespace
