#pragma once
// A window system that records what the platform asks of it.
#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/image/recording_surface.h"
#include "toolkit/window_system.h"

namespace faketk {

class FakeWindowSystem : public ovek::WindowSystem {
public:
    RecordingSurface window{900, 700};
    // "tip+ TEXT", "tip-", "title TEXT", "open", "save", "message TITLE: TEXT",
    // "question TITLE: TEXT"
    std::vector<std::string> calls;
    bool tooltipOpen = false;
    std::vector<ovek::FileFilter> lastFilters;
    std::string dialogAnswer;                // empty: the user cancels
    std::vector<std::string> dialogAnswers;  // answered in turn before dialogAnswer
    std::set<int> keysHeld;
    // Questions: the answers given, in turn (an index into the answers
    // offered); none left: the box is closed (answer 0).
    std::vector<int> questionAnswers;
    std::vector<std::string> lastAnswers;   // offered by the last question

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
        if (!dialogAnswers.empty()) {
            path = dialogAnswers.front();
            dialogAnswers.erase(dialogAnswers.begin());
        }
        return !path.empty();
    }
    int asyncKeyState(int key) override { return keysHeld.count(key) ? 0x8000 : 0; }
    void showMessage(const char* title, const char* text) override
    {
        calls.push_back(std::string("message ") + title + ": " + text);
    }
    ovek::NativePane3D* createPane3D(int, int, int, int) override { return nullptr; }
    int askQuestion(const char* title, const char* text,
                    const std::vector<std::string>& answers) override
    {
        calls.push_back(std::string("question ") + title + ": " + text);
        lastAnswers = answers;
        if (questionAnswers.empty())
            return 0;
        const int answer = questionAnswers.front();
        questionAnswers.erase(questionAnswers.begin());
        return answer;
    }

    // Start-up: the minimum root size last asked for.
    int minimumWidth = 0;
    int minimumHeight = 0;
    void setMinimumSize(int w, int h) override
    {
        minimumWidth = w;
        minimumHeight = h;
    }

    // Background work: wake-ups asked for, from any thread.
    std::atomic<int> wakes{0};
    void wake() override { ++wakes; }

    // Forms: the last one made, where it was placed and whether it shows.
    struct FakeForm : ovek::NativeForm {
        int x = 0, y = 0, w = 0, h = 0;
        bool shown = false;
        void place(int px, int py, int pw, int ph) override
        {
            x = px, y = py, w = pw, h = ph;
        }
        void setShown(bool s) override { shown = s; }
    };
    FakeForm* lastForm = nullptr;   // owned by whoever asked for it
    std::unique_ptr<ovek::NativeForm> createForm(ovek::Form&, int x, int y, int w, int h) override
    {
        auto form = std::make_unique<FakeForm>();
        form->place(x, y, w, h);
        lastForm = form.get();
        return form;
    }
};

}  // namespace faketk
