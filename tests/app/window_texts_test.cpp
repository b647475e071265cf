// Every text the window shows passes through the catalogues: run in the
// pseudo-language "xx", whose catalogue is the template with every text in
// [[ ]], a text that reaches the window system without its brackets was never
// looked up, or is missing from the template.
#include <gtest/gtest.h>

#include "app/data_files.h"
#include "app/screens.h"
#include "image/image.h"
#include "tests/app/fake_screens.h"
#include "tests/base/language_env.h"
#include "tests/test_util.h"
#include "tests/toolkit/fake_window_system.h"
#include "toolkit/platform.h"

using namespace ovek;

namespace {

faketk::FakeWindowSystem windows;
NoPaneRenderer renderer;
std::unique_ptr<Screens> screens;

class StartUp : public ::testing::Environment {
public:
    void SetUp() override
    {
        testutil::useLanguage({"xx", "C.UTF-8", nullptr, nullptr}, PEXOLEN_TEST_LOCALE_DIR);
        MYPLAT.init(&windows, 866, 591);
        screens = std::make_unique<Screens>(MYPLAT, renderer);
    }
    void TearDown() override
    {
        screens.reset();
        MYPLAT.reset();
    }
};
const auto* const kStartUp = ::testing::AddGlobalTestEnvironment(new StartUp);

bool translated(const std::string& text)
{
    return text.size() >= 4 && text.compare(0, 2, "[[") == 0 &&
           text.compare(text.size() - 2, 2, "]]") == 0;
}

// Every tooltip of the component tree below c.
void collectTooltips(const Component* c, std::vector<std::string>& out)
{
    if (auto* b = dynamic_cast<const ImageButton*>(c); b && b->tooltipText)
        out.push_back(b->tooltipText);
    for (int i = 0; i < const_cast<Component*>(c)->getComponentCount(); ++i)
        collectTooltips(const_cast<Component*>(c)->getComponentAt(i), out);
}

TEST(WindowTexts, EveryTextTheWindowShowsComesFromTheCatalogue)
{
    ASSERT_EQ(uiLanguage(), "xx") << "the pseudo-language catalogue was not found";
    std::vector<std::string> shown;
    collectTooltips(MYPLAT.getRootComponent(), shown);
    EXPECT_EQ(shown.size(), 20u) << "17 toolbar buttons and 3 on the bottom bar";
    shown.push_back(mainTitle());

    // Produce (busy and normal titles), open and save with their dialogs'
    // filters, failures reported in message boxes, the help page not opening.
    testutil::TempDir dir;
    testutil::writeFile(dir.file("broken.3ds"), "not a model");
    click(screens->button_produce);
    click(screens->modelMenu);
    windows.dialogAnswer = dir.file("broken.3ds");
    click(screens->button_open);
    for (const FileFilter& f : windows.lastFilters)
        shown.push_back(f.label);
    windows.dialogAnswer = dir.file("missing/mesh.om");
    click(screens->button_save);
    for (const FileFilter& f : windows.lastFilters)
        shown.push_back(f.label);
    click(screens->imageMenu);
    click(screens->button_save);
    for (const FileFilter& f : windows.lastFilters)
        shown.push_back(f.label);
    click(screens->patternMenu);
    windows.dialogAnswer = dir.file("broken.3ds");
    click(screens->button_open);
    setenv("PATH", dir.path().c_str(), 1);   // no xdg-open
    openHelp(MYPLAT);
    // Closing over an edited mesh and then over the unsaved result: both
    // questions, each cancelled, with their answers.
    screens->model3D.points.back()->x += 1;
    EXPECT_FALSE(MYPLAT.mayClose());
    shown.insert(shown.end(), windows.lastAnswers.begin(), windows.lastAnswers.end());
    screens->model3D.points.back()->x -= 1;
    EXPECT_FALSE(MYPLAT.mayClose());

    int titles = 0, messages = 0, questions = 0;
    for (const std::string& call : windows.calls) {
        if (call.rfind("title ", 0) == 0) {
            shown.push_back(call.substr(6));
            ++titles;
        } else if (call.rfind("message Pexolen: ", 0) == 0) {
            shown.push_back(call.substr(17));
            ++messages;
        } else if (call.rfind("tip+ ", 0) == 0) {
            shown.push_back(call.substr(5));
        } else if (call.rfind("question Pexolen: ", 0) == 0) {
            shown.push_back(call.substr(18));
            ++questions;
        }
    }
    EXPECT_EQ(titles, 6) << "busy and normal, then a note on each failed open and save";
    EXPECT_EQ(messages, 5) << "two opens and two saves failed, the help page did not open";
    EXPECT_EQ(questions, 2);
    for (const std::string& text : shown)
        EXPECT_TRUE(translated(text)) << "not from the catalogue: \"" << text << "\"";
}

// The settings panel: captions, entries, tips, the derived numbers and both
// warnings.
TEST(WindowTexts, TheSettingsPanelShowsOnlyTextsFromTheCatalogue)
{
    click(screens->imageMenu);
    SettingsPanel& panel = screens->settingsPanel;
    std::vector<std::string> shown;
    auto collect = [&] {
        for (const FormField& f : panel.form.fields)
            for (const std::string& text : f.choices)
                shown.push_back(text);
        for (const FormField& f : panel.form.fields)
            for (const std::string* text : {&f.label, &f.tooltip, &f.text})
                if (!text->empty())
                    shown.push_back(*text);
    };
    panel.form.enterValue(panel.depthScale, 0);   // too weak
    collect();
    panel.form.enterValue(panel.depthScale, 2.27);   // too strong
    collect();
    EXPECT_GE(shown.size(), 70u);
    for (const std::string& text : shown)
        EXPECT_TRUE(translated(text)) << "not from the catalogue: \"" << text << "\"";
    panel.form.enterValue(panel.depthScale, 1);
}

// A language with texts but no pictures of its own gets the English ones.
TEST(WindowTexts, ALanguageWithoutItsOwnPicturesGetsTheEnglishOnes)
{
    const auto expectPicture = [](const Image* shown, const std::string& path) {
        Image expected(nullptr, 1, 1);
        ASSERT_TRUE(expected.loadImage(path)) << path;
        ASSERT_NE(shown, nullptr) << path;
        EXPECT_TRUE(shown->pixels == expected.pixels) << path;
    };
    const std::string ui = std::string(PEXOLEN_SOURCE_DIR) + "/ui/";
    expectPicture(screens->patternMenu.selectedImage, ui + "tabs/en/pattern_on.bmp");
    expectPicture(screens->imageMenu.unselectedImage, ui + "tabs/en/image_off.bmp");
    expectPicture(screens->backPane.getImage(), ui + "en/back.bmp");
}

}  // namespace
