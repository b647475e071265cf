// What the window layer translates without a display: GBK texts, key codes
// and dialog filters.
#include <gtest/gtest.h>

#include <FL/Enumerations.H>

#include <algorithm>
#include <string>
#include <vector>

#include "fltk/file_dialog.h"
#include "fltk/gbk_text.h"
#include "fltk/key_map.h"

namespace {

TEST(GbkText, ConvertsToUtf8AndReplacesWhatIsNotGbk)
{
    const struct {
        const char* gbk;
        std::string utf8;
    } cases[] = {
        {"BMP Files(*.bmp)", "BMP Files(*.bmp)"},
        {"\xB4\xF2\xBF\xAA", "\xE6\x89\x93\xE5\xBC\x80"},                  // 打开
        {"\xB1\xA3\xB4\xE6 3D", "\xE4\xBF\x9D\xE5\xAD\x98 3D"},            // 保存 3D
        {"a\xFF" "b", "a\xEF\xBF\xBD" "b"},                                 // not GBK
        {"\xB4\xF2\xBF", "\xE6\x89\x93\xEF\xBF\xBD"},                      // cut off at the end
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ovek::gbkToUtf8(c.gbk), c.utf8) << c.gbk;
    EXPECT_EQ(ovek::gbkToUtf8(nullptr), "");
    // Longer than one conversion buffer.
    std::string many;
    std::string expected;
    for (int i = 0; i < 500; ++i) {
        many += "\xB4\xF2";
        expected += "\xE6\x89\x93";
    }
    EXPECT_EQ(ovek::gbkToUtf8(many.c_str()), expected);
}

TEST(KeyMap, FltkKeysBecomeWindowsVirtualKeysAndBack)
{
    const struct {
        int fltk;
        int vk;
    } cases[] = {
        {'a', 0x41},           {'z', 0x5A},         {'0', 0x30},          {'9', 0x39},
        {FL_Enter, 0x0D},      {FL_KP_Enter, 0x0D}, {FL_Delete, 0x2E},    {FL_Control_L, 0x11},
        {FL_Control_R, 0x11},  {FL_Shift_L, 0x10},  {FL_Alt_R, 0x12},     {FL_Left, 0x25},
        {FL_Up, 0x26},         {FL_Right, 0x27},    {FL_Down, 0x28},      {FL_F + 1, 0x70},
        {FL_F + 12, 0x7B},     {FL_Escape, 0x1B},   {' ', 0x20},          {FL_KP + '5', 0x65},
        {FL_BackSpace, 0x08},  {FL_Home, 0x24},     {FL_Page_Down, 0x22}, {'=', 0xBB},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ovek::virtualKeyOf(c.fltk), c.vk) << std::hex << c.fltk;
        const std::vector<int> back = ovek::fltkKeysOf(c.vk);
        EXPECT_NE(std::find(back.begin(), back.end(), c.fltk), back.end()) << std::hex << c.vk;
    }
    EXPECT_EQ(ovek::virtualKeyOf(FL_Button + 1), 0);
    EXPECT_EQ(ovek::virtualKeyOf(0x20AC), 0);   // a key the program has no code for
    EXPECT_EQ(ovek::fltkKeysOf(0x11).size(), 2u);
    EXPECT_TRUE(ovek::fltkKeysOf(0xFF).empty());
}

TEST(FileDialog, WindowsFilterPairsBecomeFltkFilterLines)
{
    using F = ovek::FileFilter;
    const struct {
        std::vector<F> filters;
        std::string fltk;
    } cases[] = {
        {{}, ""},
        {{{"BMP Files(*.bmp)", "*.bmp"}}, "BMP Files\t*.bmp"},
        {{{"3D (*.3ds;*.om)", "*.3ds;*.om"}, {"All", "*.*"}}, "3D\t{*.3ds,*.om}\nAll\t*"},
        {{{"Models (*.3ds)", "*.3ds; *.om"}}, "Models (*.3ds)\t{*.3ds,*.om}"},
        {{{"(*.bmp)", "*.bmp"}}, "(*.bmp)\t*.bmp"},
        {{{"\xE5\x9B\xBE\xE7\x89\x87", "*.bmp"}}, "\xE5\x9B\xBE\xE7\x89\x87\t*.bmp"},   // 图片
        {{{"tab\there", ";;"}}, "tab here\t*"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ovek::fltkFilter(c.filters), c.fltk);
}

}  // namespace
