#pragma once
// The toolkit's binding to the window system. The program has one instance,
// MYPLAT: it owns the root component, the back buffer (the root image) with its
// drawing context, the list of components that show native child windows, the
// file dialogs, the tooltip and the title.
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "image/graphics.h"
#include "image/image.h"
#include "base/file_result.h"
#include "toolkit/component.h"
#include "toolkit/window_system.h"

namespace ovek {

class Platform {
public:
    Platform() = default;
    ~Platform() = default;
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    WindowSystem* windows = nullptr;          // root window and its services; not owned
    std::unique_ptr<Image> rootImage;         // back buffer
    std::unique_ptr<Graphics> rootGraphics;   // draws on rootImage
    bool inited = false;
    Component rootComponent;                  // bounds always (0, 0, root width, root height)
    bool needRepaint = true;                  // set by repaint and a new back buffer, cleared by flush
    bool leftButtonDown = false;              // between the left button's down and up messages
    // Components showing a native child window of their own: flush leaves
    // their rectangles of the window alone while they are visible. Not owned.
    std::vector<Component*> emptyComponents;
    std::string fileName;                     // path chosen in the last file dialog
    bool tooltipShown = false;                // a tooltip exists
    int tooltipBalance = 0;                   // shows minus hides in the current event bracket
    // Asked when the user closes the main window: false keeps it open. Null:
    // the window closes.
    std::function<bool()> closeRequested;

    // Files dropped on the window, as local paths in the order given; the
    // window system calls it, the application decides where they go. Empty:
    // drops are refused.
    std::function<void(const std::vector<std::string>& paths)> filesDropped;

    // Binds to the window system (null detaches) and always makes a blank back
    // buffer of width x height.
    void init(WindowSystem* windowSystem, int width, int height);
    // Detached, with no back buffer, no children, listeners or native-window
    // components and no tooltip: as after construction.
    void reset();
    bool isInited() const { return inited; }
    // A new back buffer when the size differs; then the root bounds, which fire
    // the root's bounds listener when they changed.
    void setSize(int w, int h);
    void setTitle(const char* title);
    // A message box (UTF-8); without a window system one line on standard error.
    void showMessage(const char* title, const char* text);
    // A question with up to three answers (the first: the box was closed);
    // the index of the answer, -1 without a window system or a box.
    int askQuestion(const char* title, const char* text, const std::vector<std::string>& answers);
    // Whether the main window may close now: closeRequested's answer.
    bool mayClose();

    // Tooltips: a bracket around one mouse-move record. showToolTip with a
    // text shows it (replacing any tooltip), with null or "" counts a removal;
    // eventEnd removes the tooltip when removals outnumbered shows, so moving
    // from one button straight onto another keeps the new tip.
    void eventBegin();
    void eventEnd();
    void showToolTip(const char* text);

    // New images painting onto the back buffer. Caller owns them.
    Image* createImage(int w, int h);
    // The picture at path; on failure a 1 x 1 black image, with the reason in
    // *result when given.
    Image* createImageFromBMP(const char* path, FileResult* result = nullptr);

    Image* getRootImage() { return rootImage.get(); }
    Graphics* getRootGraphics() { return rootGraphics.get(); }
    Component* getRootComponent() { return &rootComponent; }

    // Show the save or open dialog with a filter list (label and pattern
    // pairs, each NUL-terminated, ending with an empty string). The chosen
    // path, valid until the next dialog, or null when cancelled.
    const char* saveFile(const char* filter);
    const char* loadFile(const char* filter);

    // Marks the screen dirty; nothing is drawn until the next flush.
    void repaint() { needRepaint = true; }
    // When inited and dirty: clear the back buffer to black, paint the tree on
    // it and copy it to the root window cell by cell around the visible
    // native child windows.
    void flush();
    void addEmptyComponent(Component* c) { emptyComponents.push_back(c); }

    // Non-zero while the key is held (0 without a window system). Handlers
    // decide on the modifiers their record carries, not on this.
    int getAsyncKeyState(int key);

    // Background work (the live stereogram). onWake runs on the main thread
    // at every idle tick of the main loop and soon after wake(), never inside
    // a dialog's loop. wake() may be called from any thread; once the window
    // system is detached it does nothing.
    std::function<void()> onWake;
    void wake();

private:
    std::mutex wakeMutex_;   // guards windows against wake() from other threads
    // A blank back buffer of w x h painting onto the root window, with a new
    // drawing context on it.
    void newBackBuffer(int w, int h);
    const char* askFile(FileDialogKind kind, const char* filter);
};

extern Platform MYPLAT;

}  // namespace ovek
