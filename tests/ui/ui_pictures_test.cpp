// The interface pictures under ui/: every one the program loads is there, is a
// 24-bit BMP of the size its place in the window needs, and its states differ.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "image/image.h"
#include "tests/test_util.h"

namespace {

struct Picture {
    std::string path;   // below ui/
    int width;
    int height;
};

// A button's pictures, one per state, and the bar it lies on ("" for none).
struct Button {
    std::string bar;
    std::vector<Picture> states;
};

std::vector<Button> buttons()
{
    std::vector<Button> all;
    const auto add = [&](const std::string& prefix, std::vector<std::string> suffixes, int w) {
        // Toolbar buttons and tabs lie on a stretched bar; the bottom-bar buttons
        // are drawn over it only at rest.
        Button b;
        const std::string folder = prefix.substr(0, prefix.find('/'));   // tabs/en/x: tabs
        b.bar = folder == "buttons" ? "" : folder + "/bar.bmp";
        for (const std::string& s : suffixes)
            b.states.push_back({prefix + s + ".bmp", w, 38});
        all.push_back(b);
    };
    for (const char* option : {"edit", "move", "rotate", "resize", "insert_point",
                               "insert_triangle", "insert_box"})
        add(std::string("toolbar/") + option, {"_off", "_on"}, 30);
    add("toolbar/select", {"_off", "_on", "_dis"}, 30);
    for (const char* command : {"import", "select_all", "select_linked", "undo", "redo",
                                "addFace", "removeFace", "removePoint", "extend"})
        add(std::string("toolbar/") + command, {"_off", "_in"}, 30);
    // Tabs carry their captions: the design's Chinese set, and one per language.
    for (const char* language : {"", "en/"}) {
        add(std::string("tabs/") + language + "pattern", {"_off", "_on"}, 100);
        add(std::string("tabs/") + language + "model", {"_off", "_on"}, 100);
        add(std::string("tabs/") + language + "image", {"_off", "_on"}, 120);
    }
    add("buttons/open", {"_out", "_up", "_down", "_dis"}, 33);
    add("buttons/produce", {"_out", "_up", "_down", "_dis"}, 25);
    add("buttons/save", {"_out", "_up", "_down", "_dis"}, 25);
    return all;
}

std::string uiFile(const std::string& path)
{
    return std::string(PEXOLEN_SOURCE_DIR) + "/ui/" + path;
}

// Reads the picture as the program does and checks it is what the window needs.
std::unique_ptr<ovek::Image> load(const Picture& p)
{
    const std::string bytes = testutil::readFile(uiFile(p.path));
    EXPECT_GE(bytes.size(), 54u) << p.path;
    if (bytes.size() >= 54) {
        EXPECT_EQ(bytes.substr(0, 2), "BM") << p.path;
        EXPECT_EQ(uint8_t(bytes[28]), 24) << p.path << ": not a 24-bit BMP";
    }
    auto img = std::make_unique<ovek::Image>(nullptr, 1, 1);
    const ovek::FileResult r = img->loadImage(uiFile(p.path));
    EXPECT_TRUE(r) << p.path << ": " << r.error;
    EXPECT_EQ(img->width, p.width) << p.path;
    EXPECT_EQ(img->height, p.height) << p.path;
    return img;
}

bool samePixels(const ovek::Image& a, const ovek::Image& b)
{
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

TEST(UiPictures, BackgroundAndBarsHaveTheirSizes)
{
    for (const Picture& p : {Picture{"back.bmp", 500, 180}, Picture{"en/back.bmp", 500, 180},
                             Picture{"toolbar/bar.bmp", 30, 38},
                             Picture{"tabs/bar.bmp", 30, 38}})
        load(p);
}

TEST(UiPictures, EveryButtonStateIsThereAndLooksDifferent)
{
    for (const Button& b : buttons()) {
        std::vector<std::unique_ptr<ovek::Image>> images;
        for (const Picture& p : b.states)
            images.push_back(load(p));
        for (size_t i = 0; i < images.size(); ++i)
            for (size_t j = i + 1; j < images.size(); ++j)
                EXPECT_FALSE(samePixels(*images[i], *images[j]))
                    << b.states[i].path << " and " << b.states[j].path << " look the same";
    }
}

// The outer column of a picture on a bar must be the bar's own, or every
// button shows a seam.
TEST(UiPictures, ToolbarButtonsAndTabsBlendIntoTheirBar)
{
    for (const Button& b : buttons()) {
        if (b.bar.empty())
            continue;
        const auto bar = load({b.bar, 30, 38});
        for (const Picture& p : b.states) {
            const auto img = load(p);
            for (int y = 0; y < 38 && img->height == 38; ++y)
                ASSERT_EQ(img->getColor(0, y), bar->getColor(0, y)) << p.path << " row " << y;
        }
    }
}

// Each language's pictures say it in their own words: no set is a copy of
// another.
TEST(UiPictures, PicturesWithWordsDifferByLanguage)
{
    for (const Picture& zh : {Picture{"tabs/pattern_on.bmp", 100, 38},
                              Picture{"tabs/model_off.bmp", 100, 38},
                              Picture{"tabs/image_on.bmp", 120, 38}}) {
        const Picture en{std::string(zh.path).insert(5, "en/"), zh.width, zh.height};
        EXPECT_FALSE(samePixels(*load(zh), *load(en))) << zh.path;
    }
    EXPECT_FALSE(samePixels(*load({"back.bmp", 500, 180}), *load({"en/back.bmp", 500, 180})));
}

}  // namespace
