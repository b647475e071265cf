#include "fltk/tooltip.h"

#include <FL/Fl.H>
#include <FL/Fl_Menu_Window.H>
#include <FL/fl_draw.H>

namespace ovek {

namespace {

constexpr int kFontSize = 14;   // pixels
constexpr int kMargin = 4;      // pixels around the text

class TipWindow : public Fl_Menu_Window {
public:
    TipWindow() : Fl_Menu_Window(1, 1)
    {
        set_override();
        set_tooltip_window();
        clear_border();
        end();
    }

    std::string text;

    void draw() override
    {
        fl_color(FL_BLACK);
        fl_rect(0, 0, w(), h());
        fl_color(fl_rgb_color(255, 255, 225));
        fl_rectf(1, 1, w() - 2, h() - 2);
        fl_color(FL_BLACK);
        fl_font(cjkFont(), kFontSize);
        fl_draw(text.c_str(), kMargin, kMargin, w() - 2 * kMargin, h() - 2 * kMargin,
                FL_ALIGN_LEFT | FL_ALIGN_TOP);
    }
};

}  // namespace

int cjkFont()
{
    static const int font = [] {
        // The leading space asks for the regular face.
        Fl::set_font(FL_FREE_FONT, " WenQuanYi Micro Hei");
        return int(FL_FREE_FONT);
    }();
    return font;
}

ToolTip::ToolTip() = default;

ToolTip::~ToolTip()
{
    hide();
}

void ToolTip::show(const std::string& text)
{
    hide();
    text_ = text;
    Fl::add_timeout(kShowDelay, appear, this);
}

void ToolTip::hide()
{
    Fl::remove_timeout(appear, this);
    Fl::remove_timeout(disappear, this);
    if (window_)
        window_->hide();
    text_.clear();
}

bool ToolTip::onScreen() const
{
    return window_ && window_->shown() && window_->visible();
}

void ToolTip::appear(void* self)
{
    auto* tip = static_cast<ToolTip*>(self);
    if (!tip->window_)
        tip->window_ = std::make_unique<TipWindow>();
    auto* window = static_cast<TipWindow*>(tip->window_.get());
    window->text = tip->text_;
    fl_font(cjkFont(), kFontSize);
    int w = 0, h = 0;
    fl_measure(tip->text_.c_str(), w, h, 0);
    // Below and right of the pointer, as tooltips sit.
    window->resize(Fl::event_x_root() + 12, Fl::event_y_root() + 20, w + 2 * kMargin,
                   h + 2 * kMargin);
    window->show();
    // Named by its text once it has its X window (FLTK names override
    // windows only then), so that tools which read windows, screen readers and
    // tests, find what it says.
    window->copy_label(tip->text_.c_str());
    window->redraw();
    Fl::add_timeout(kHideDelay, disappear, self);
}

void ToolTip::disappear(void* self)
{
    auto* tip = static_cast<ToolTip*>(self);
    if (tip->window_)
        tip->window_->hide();
}

}  // namespace ovek
