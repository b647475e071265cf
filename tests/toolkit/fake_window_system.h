#pragma once
// A window system that records what the platform asks of it.
#include <set>
#include <string>
#include <vector>

#include "toolkit/window_system.h"

namespace faketk {

// The root window: keeps the pixels copied to it and a list of the copies.
class RecordingSurface : public ovek::PixelSurface {
public:
    struct Copy {
        int x, y, w, h, sx, sy;
        bool operator==(const Copy& o) const
        {
            return x == o.x && y == o.y && w == o.w && h == o.h && sx == o.sx && sy == o.sy;
        }
    };
    using PixelSurface::PixelSurface;
    std::vector<Copy> copies;

    void copy(const PixelSurface& src, int dx, int dy, int w, int h, int sx, int sy) override
    {
        copies.push_back({dx, dy, w, h, sx, sy});
        PixelSurface::copy(src, dx, dy, w, h, sx, sy);
    }
};

class FakeWindowSystem : public ovek::WindowSystem {
public:
    RecordingSurface window{900, 700};
    std::vector<std::string> calls;          // "tip+ TEXT", "tip-", "title TEXT", "open", "save"
    bool tooltipOpen = false;
    std::vector<ovek::FileFilter> lastFilters;
    std::string dialogAnswer;                // empty: the user cancels
    std::set<int> keysHeld;

    ovek::Surface* rootSurface() override { return &window; }
    void createToolTip(const char* text) override
    {
        calls.push_back(std::string("tip+ ") + text);
        tooltipOpen = true;
    }
    void destroyToolTip() override
    {
        calls.push_back("tip-");
        tooltipOpen = false;
    }
    void setTitle(const char* text) override { calls.push_back(std::string("title ") + text); }
    bool showFileDialog(ovek::FileDialogKind kind, const std::vector<ovek::FileFilter>& filters,
                        std::string& path) override
    {
        calls.push_back(kind == ovek::FileDialogKind::Open ? "open" : "save");
        lastFilters = filters;
        path = dialogAnswer;
        return !dialogAnswer.empty();
    }
    int asyncKeyState(int key) override { return keysHeld.count(key) ? 0x8000 : 0; }
};

}  // namespace faketk
