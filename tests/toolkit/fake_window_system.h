#pragma once
// A window system that records what the platform asks of it.
#include <atomic>
#include <set>
#include <string>
#include <vector>

#include "tests/image/recording_surface.h"
#include "toolkit/window_system.h"

namespace faketk {

class FakeWindowSystem : public ovek::WindowSystem {
public:
    RecordingSurface window{900, 700};
    // "tip+ TEXT", "tip-", "title TEXT", "open", "save", "message TITLE: TEXT"
    std::vector<std::string> calls;
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
    void showMessage(const char* title, const char* text) override
    {
        calls.push_back(std::string("message ") + title + ": " + text);
    }
    ovek::NativePane3D* createPane3D(int, int, int, int) override { return nullptr; }

    // Background work: wake-ups asked for, from any thread.
    std::atomic<int> wakes{0};
    void wake() override { ++wakes; }
};

}  // namespace faketk
