#include "fltk/key_map.h"

#include <FL/Enumerations.H>

namespace ovek {

namespace {

struct KeyPair {
    int fltk;
    int vk;
};

// Keys that are not in one of the runs handled in virtualKeyOf.
const KeyPair kKeys[] = {
    {FL_BackSpace, 0x08},   {FL_Tab, 0x09},        {FL_Enter, 0x0D},      {FL_KP_Enter, 0x0D},
    {FL_Shift_L, 0x10},     {FL_Shift_R, 0x10},    {FL_Control_L, 0x11},  {FL_Control_R, 0x11},
    {FL_Alt_L, 0x12},       {FL_Alt_R, 0x12},      {FL_Pause, 0x13},      {FL_Caps_Lock, 0x14},
    {FL_Escape, 0x1B},      {' ', 0x20},           {FL_Page_Up, 0x21},    {FL_Page_Down, 0x22},
    {FL_End, 0x23},         {FL_Home, 0x24},       {FL_Left, 0x25},       {FL_Up, 0x26},
    {FL_Right, 0x27},       {FL_Down, 0x28},       {FL_Print, 0x2C},      {FL_Insert, 0x2D},
    {FL_Delete, 0x2E},      {FL_Meta_L, 0x5B},     {FL_Meta_R, 0x5C},     {FL_Menu, 0x5D},
    {FL_KP + '*', 0x6A},    {FL_KP + '+', 0x6B},   {FL_KP + '-', 0x6D},   {FL_KP + '.', 0x6E},
    {FL_KP + '/', 0x6F},    {FL_Num_Lock, 0x90},   {FL_Scroll_Lock, 0x91}, {';', 0xBA},
    {'=', 0xBB},            {',', 0xBC},           {'-', 0xBD},           {'.', 0xBE},
    {'/', 0xBF},            {'`', 0xC0},           {'[', 0xDB},           {'\\', 0xDC},
    {']', 0xDD},            {'\'', 0xDE},
};

}  // namespace

int virtualKeyOf(int k)
{
    if (k >= 'a' && k <= 'z')
        return 0x41 + (k - 'a');
    if (k >= '0' && k <= '9')
        return 0x30 + (k - '0');
    if (k >= FL_KP + '0' && k <= FL_KP + '9')
        return 0x60 + (k - FL_KP - '0');
    if (k >= FL_F + 1 && k <= FL_F + 24)
        return 0x70 + (k - FL_F - 1);
    for (const KeyPair& p : kKeys)
        if (p.fltk == k)
            return p.vk;
    return 0;
}

std::vector<int> fltkKeysOf(int vk)
{
    std::vector<int> keys;
    if (vk >= 0x41 && vk <= 0x5A)
        keys.push_back('a' + (vk - 0x41));
    else if (vk >= 0x30 && vk <= 0x39)
        keys.push_back('0' + (vk - 0x30));
    else if (vk >= 0x60 && vk <= 0x69)
        keys.push_back(FL_KP + '0' + (vk - 0x60));
    else if (vk >= 0x70 && vk <= 0x87)
        keys.push_back(FL_F + 1 + (vk - 0x70));
    for (const KeyPair& p : kKeys)
        if (p.vk == vk)
            keys.push_back(p.fltk);
    return keys;
}

}  // namespace ovek
