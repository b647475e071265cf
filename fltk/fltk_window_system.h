#pragma once
// The window system on FLTK: the main window with the root drawing area, the
// native OpenGL panes, key state, tooltips, file dialogs, and the idle loop
// that repaints the screen.
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "fltk/tooltip.h"
#include "toolkit/platform.h"
#include "toolkit/window_system.h"

class Fl_RGB_Image;

namespace ovek {

class GlPane;
class MainWindow;
class RootArea;

class FltkWindowSystem : public WindowSystem {
public:
    // Opens and shows the main window at the screen's origin, its client area
    // width x height, with title (UTF-8) as its caption, and feeds its input to
    // platform. The display must be open (openDisplay). iconPath: a PNG shown
    // as the window's icon (none when empty or unreadable); windowClass: the
    // WM_CLASS desktops match with the program's desktop entry.
    FltkWindowSystem(Platform& platform, const char* title, int width, int height,
                     const std::string& iconPath = "", const char* windowClass = "pexolen");
    ~FltkWindowSystem() override;
    FltkWindowSystem(const FltkWindowSystem&) = delete;
    FltkWindowSystem& operator=(const FltkWindowSystem&) = delete;

    Surface* rootSurface() override;
    void createToolTip(const char* text) override;
    void destroyToolTip() override;
    void setTitle(const char* text) override;
    bool showFileDialog(FileDialogKind kind, const std::vector<FileFilter>& filters,
                        std::string& path) override;
    int asyncKeyState(int key) override;
    void showMessage(const char* title, const char* text) override;
    NativePane3D* createPane3D(int x, int y, int w, int h) override;
    int askQuestion(const char* title, const char* text,
                    const std::vector<std::string>& answers) override;

    // Start-up and files: the window manager's minimum size, and drops.
    void setMinimumSize(int width, int height) override;
    bool acceptsDrops() const;
    // A drop's URI list (FL_PASTE's text), handed to the platform as paths.
    void dropped(const std::string& uriList);
    // Background work: wakes run() (FLTK's awake) from any thread.
    void wake() override;
    // The settings panel's widgets (fltk_form.h).
    std::unique_ptr<NativeForm> createForm(Form& form, int x, int y, int w, int h) override;

    // The root area fills the main window's client area; the platform's back
    // buffer follows it, unless a side is 60 pixels or less, or over 9999,
    // counting the caption bar as part of the height.
    void updateRootSize();
    // One idle tick: the whole screen repainted once the refresh flag is set,
    // and each pane's window shown only while its component was painted.
    void tick();
    // Ticks about every 50 ms, waking at once for input, until the main window
    // is closed; returns the exit status, 0.
    int run();
    bool closed() const { return closed_; }

    MainWindow* mainWindow() { return main_.get(); }
    RootArea* rootArea() { return root_; }
    const std::vector<GlPane*>& panes() const { return panes_; }
    const ToolTip& toolTip() const { return tip_; }

    // A mouse record at (x, y) in root-area pixels; event is FLTK's.
    void mouse(int event, int button, int x, int y);
    // The wheel turned steps notches (FLTK's vertical amount) over (x, y) in
    // root-area pixels.
    void wheel(int x, int y, int steps);
    // A key press or release; FLTK's key number. False for keys without a code.
    bool key(int fltkKey, bool pressed);
    // Called when the user closes the main window: closes it once the
    // platform's closeRequested agrees.
    void requestClose();
    // Closes the main window; run returns.
    void close();

private:
    Platform& platform_;
    std::unique_ptr<MainWindow> main_;
    RootArea* root_ = nullptr;        // child of main_
    std::vector<GlPane*> panes_;      // children of main_
    ToolTip tip_;
    bool closed_ = false;
    bool asking_ = false;   // requestClose is waiting for an answer
    std::unique_ptr<Fl_RGB_Image> icon_;   // kept while the window shows it
    std::atomic<bool> woken_{false};       // set by wake, taken by run
};

}  // namespace ovek
