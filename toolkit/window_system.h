#pragma once
// What the platform object asks of the window system. The native layer
// implements it; tests use a fake that records the calls. Texts (tooltips,
// titles, filter labels, messages) are UTF-8, in the user's language.
#include <memory>
#include <string>
#include <vector>

#include "image/surface.h"
#include "toolkit/form.h"
#include "toolkit/native_pane.h"

namespace ovek {

struct FileFilter {
    std::string label;     // shown to the user, e.g. "BMP Files(*.bmp)"
    std::string pattern;   // e.g. "*.bmp"
};

enum class FileDialogKind { Open, Save };

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The root window as a copy target for the back buffer. Asked again on
    // every resize of the back buffer.
    virtual Surface* rootSurface() = 0;
    // A tooltip over the whole root window that follows the pointer by itself,
    // shown after 100 ms and hidden after 3000 ms. Any previous one is gone
    // already: the platform destroys it first.
    virtual void createToolTip(const char* text) = 0;
    virtual void destroyToolTip() = 0;
    // Caption of the main window.
    virtual void setTitle(const char* text) = 0;
    // One file; the first filter selected. Open asks for an existing file, Save
    // for any name in an existing folder. False when the user cancels.
    virtual bool showFileDialog(FileDialogKind kind, const std::vector<FileFilter>& filters,
                                std::string& path) = 0;
    // Non-zero while the key is held or when it was pressed since the last query.
    virtual int asyncKeyState(int key) = 0;
    // A modal message with one button to close it, over the main window.
    virtual void showMessage(const char* title, const char* text) = 0;
    // A native child window of the root window at (x, y), w x h, with the
    // program's OpenGL context current; kept by the window system for the rest
    // of the run. Null when it cannot be made.
    virtual NativePane3D* createPane3D(int x, int y, int w, int h) = 0;

    // --- Questions before work is lost (save / discard / cancel) ---
    // A modal question over the main window with up to three answers; the
    // first is the one that closing the box or Escape gives. The index of the
    // answer chosen, or -1 when no box can be shown.
    virtual int askQuestion(const char* title, const char* text,
                            const std::vector<std::string>& answers)
    {
        (void)title;
        (void)text;
        (void)answers;
        return -1;
    }

    // --- Start-up and files ---
    // The smallest root area the user may size the main
    // window to (a hint the window manager keeps).
    virtual void setMinimumSize(int /*width*/, int /*height*/) {}
    // Background work (the live stereogram).
    // Callable from any thread: the main loop runs Platform::onWake soon,
    // without waiting for its idle tick. Without it the next tick does.
    virtual void wake() {}
    // Native widgets for a form, in a child window of the root
    // window at (x, y), w x h, hidden until shown. The form outlives them.
    // Null (the default) where the window system makes no forms.
    virtual std::unique_ptr<NativeForm> createForm(Form&, int, int, int, int) { return nullptr; }
};

// Splits a filter list of label and pattern strings, each NUL-terminated, the
// whole list ending with an empty string. Null gives no filters; a label
// without a pattern ends the list.
std::vector<FileFilter> splitFilterList(const char* list);

}  // namespace ovek
