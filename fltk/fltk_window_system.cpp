#include "fltk/fltk_window_system.h"

#include <FL/Fl.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/fl_ask.H>

#include <chrono>

#include "base/translation.h"
#include "fltk/file_dialog.h"
#include "fltk/fltk_form.h"
#include "fltk/fltk_widgets.h"
#include "fltk/key_map.h"
#include "toolkit/file_drop.h"
#include "toolkit/window_procedure.h"

namespace ovek {

namespace {

void closeRequested(Fl_Widget*, void* windows)
{
    // FLTK closes a window on an Escape nobody took; the program's keys are
    // not for closing.
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape)
        return;
    static_cast<FltkWindowSystem*>(windows)->requestClose();
}

// The modifier keys of the event being handled, as the X server reported them.
InputMods modsNow()
{
    const int state = Fl::event_state();
    InputMods mods;
    mods.shift = (state & FL_SHIFT) != 0;
    mods.ctrl = (state & FL_CTRL) != 0;
    mods.alt = (state & FL_ALT) != 0;
    return mods;
}

}  // namespace

FltkWindowSystem::FltkWindowSystem(Platform& platform, const char* title, int width, int height,
                                   const std::string& iconPath, const char* windowClass)
    : platform_(platform), main_(std::make_unique<MainWindow>(*this, width, height))
{
    root_ = new RootArea(width, height);   // the main window's child: it owns it
    main_->end();
    main_->resizable(nullptr);
    main_->size_range(1, 1);   // resizable all the same; updateRootSize keeps its limits
    main_->callback(closeRequested, this);
    main_->color(FL_BLACK);   // what an empty back buffer shows, before the first copy
    if (windowClass)
        main_->xclass(windowClass);
    if (!iconPath.empty()) {
        auto icon = std::make_unique<Fl_PNG_Image>(iconPath.c_str());
        if (icon->w() > 0 && icon->h() > 0 && !icon->fail()) {
            main_->icon(icon.get());
            icon_ = std::move(icon);
        }
    }
    setTitle(title);
    main_->show();
    // Fl::awake needs FLTK's thread support, which its lock starts; the main
    // thread keeps the lock, and Fl::wait lets go of it while waiting.
    static const bool threadsReady = Fl::lock() == 0;
    (void)threadsReady;
}

FltkWindowSystem::~FltkWindowSystem()
{
    tip_.hide();
    if (platform_.windows == this)
        platform_.reset();
}

Surface* FltkWindowSystem::rootSurface()
{
    return root_;
}

void FltkWindowSystem::createToolTip(const char* text)
{
    tip_.show(text ? text : "");
}

void FltkWindowSystem::destroyToolTip()
{
    tip_.hide();
}

void FltkWindowSystem::setTitle(const char* text)
{
    main_->copy_label(text ? text : "");
    // Seen at once, also when a long computation (a production) follows
    // before the loop runs again.
    Fl::flush();
}

bool FltkWindowSystem::showFileDialog(FileDialogKind kind, const std::vector<FileFilter>& filters,
                                      std::string& path)
{
    return runFileDialog(kind, filters, path);
}

int FltkWindowSystem::asyncKeyState(int key)
{
    // Asked of the X server each time, so it is right even before the key's
    // own event has been handled.
    for (int k : fltkKeysOf(key))
        if (Fl::get_key(k))
            return 0x8000;
    return 0;
}

void FltkWindowSystem::showMessage(const char* title, const char* text)
{
    fl_message_title(title ? title : "");
    fl_message_font(cjkFont(), 14);   // file names may be Chinese
    fl_close = tr("Close");
    fl_alert("%s", text ? text : "");
}

int FltkWindowSystem::askQuestion(const char* title, const char* text,
                                  const std::vector<std::string>& answers)
{
    if (answers.empty() || answers.size() > 3)
        return -1;
    fl_message_title(title ? title : "");
    fl_message_font(cjkFont(), 14);   // file names may be Chinese
    const char* b[3] = {nullptr, nullptr, nullptr};
    for (size_t i = 0; i < answers.size(); ++i)
        b[i] = answers[i].c_str();
    // The first answer is the rightmost button and what Escape and closing the
    // box give; the second is the default, taken by Return.
    return fl_choice("%s", b[0], b[1], b[2], text ? text : "");
}

NativePane3D* FltkWindowSystem::createPane3D(int x, int y, int w, int h)
{
    auto* holder = new Fl_Group(0, 0, 0, 0);
    holder->end();
    auto* pane = new GlPane(*this, holder, x, y, w, h);
    if (!pane->canDo()) {
        delete pane;
        delete holder;
        return nullptr;
    }
    holder->add(pane);
    main_->add(holder);   // the main window owns both from here
    pane->show();
    pane->make_current();
    if (w <= 0 || h <= 0)
        pane->setMapped(false);
    panes_.push_back(pane);
    return pane;
}

void FltkWindowSystem::setMinimumSize(int width, int height)
{
    // The root area is the main window's whole client area.
    main_->size_range(width, height);
}

bool FltkWindowSystem::acceptsDrops() const
{
    return bool(platform_.filesDropped);
}

void FltkWindowSystem::dropped(const std::string& uriList)
{
    const std::vector<std::string> paths = droppedFilePaths(uriList);
    if (paths.empty() || !platform_.filesDropped)
        return;
    // Opening may read depth from the pane: the one context must be current.
    if (!panes_.empty())
        panes_.front()->makeCurrent();
    // A copy: the handler may replace itself while it runs.
    const auto handler = platform_.filesDropped;
    handler(paths);
}

std::unique_ptr<NativeForm> FltkWindowSystem::createForm(Form& form, int x, int y, int w, int h)
{
    return std::make_unique<FltkForm>(*this, *main_, form, x, y, w, h);
}

void FltkWindowSystem::updateRootSize()
{
    const int w = main_->w(), h = main_->h();
    if (!root_ || !rootResizeNeeded(w, h + kCaptionHeight, root_->w(), root_->h()))
        return;
    root_->resizeArea(w, h);
    if (platform_.isInited()) {
        platform_.setSize(w, h);
        refreshGUI(platform_);   // no black frame while the window is dragged larger
    }
}

void FltkWindowSystem::tick()
{
    for (GlPane* p : panes_)
        p->swapped = false;
    // Nothing changed, nothing drawn: the idle window costs nothing.
    if (!refreshGUI(platform_))
        return;
    // A pane hidden in the component tree was not painted: its window must not
    // stay on top of what the back buffer now shows there.
    for (GlPane* p : panes_)
        p->setMapped(p->swapped);
    Fl::flush();
}

void FltkWindowSystem::wake()
{
    woken_ = true;
    Fl::awake();
}

int FltkWindowSystem::run()
{
    using Clock = std::chrono::steady_clock;
    constexpr auto kTick = std::chrono::milliseconds(50);
    auto due = Clock::now() + kTick;
    while (!closed_) {
        const auto now = Clock::now();
        const bool woken = woken_.exchange(false);
        if (now >= due || woken) {
            // Here rather than in an awake callback: a dialog's own loop must
            // not see the screens change under it.
            if (platform_.onWake)
                platform_.onWake();
            tick();
            if (!woken)
                due = Clock::now() + kTick;
            continue;
        }
        // Input wakes the wait early and is handled at once.
        Fl::wait(std::chrono::duration<double>(due - now).count());
    }
    return 0;
}

void FltkWindowSystem::mouse(int event, int button, int x, int y)
{
    MouseMessage m;
    if (event == FL_MOVE || event == FL_DRAG) {
        m = MouseMessage::Move;
    } else {
        const bool down = event == FL_PUSH;
        switch (button) {
        case FL_LEFT_MOUSE:
            m = down ? MouseMessage::LeftDown : MouseMessage::LeftUp;
            break;
        case FL_MIDDLE_MOUSE:
            m = down ? MouseMessage::MiddleDown : MouseMessage::MiddleUp;
            break;
        case FL_RIGHT_MOUSE:
            m = down ? MouseMessage::RightDown : MouseMessage::RightUp;
            break;
        default:
            return;
        }
    }
    // Handlers project points and read depth: the one context must be current.
    if (!panes_.empty())
        panes_.front()->makeCurrent();
    dispatchMouseMessage(platform_, m, x, y, modsNow());
}

void FltkWindowSystem::wheel(int x, int y, int steps)
{
    if (steps == 0)
        return;   // a sideways wheel: nothing uses it
    if (!panes_.empty())
        panes_.front()->makeCurrent();
    dispatchWheelMessage(platform_, x, y, steps, modsNow());
}

bool FltkWindowSystem::key(int fltkKey, bool pressed)
{
    const int vk = virtualKeyOf(fltkKey);
    if (!vk)
        return false;
    // A press reaches us as a shortcut while no window of ours has the focus
    // (no window manager gave it); taking it brings the release here too.
    if (pressed && !Fl::focus())
        Fl::focus(main_.get());
    if (!panes_.empty())
        panes_.front()->makeCurrent();
    dispatchKeyMessage(platform_, vk, pressed, modsNow());
    return true;
}

void FltkWindowSystem::requestClose()
{
    // Asking may show dialogs with loops of their own, in which a second
    // close request can arrive: it is not asked again.
    if (asking_)
        return;
    asking_ = true;
    const bool may = platform_.mayClose();
    asking_ = false;
    if (may)
        close();
}

void FltkWindowSystem::close()
{
    closed_ = true;
    main_->hide();
}

}  // namespace ovek
