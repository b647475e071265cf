#include "fltk/fltk_form.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Float_Input.H>
#include <FL/Fl_Repeat_Button.H>
#include <FL/Fl_Tooltip.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "fltk/fltk_window_system.h"
#include "fltk/tooltip.h"

namespace ovek {

namespace {

constexpr int kFontSize = 12;
constexpr int kMargin = 6;         // around the rows, pixels
constexpr int kRowHeight = 22;
constexpr int kRowGap = 3;
constexpr int kCaptionShare = 45;  // percent of the row the caption takes
constexpr int kArrowWidth = 16;
// The bottom bar's colours, so the panel looks part of the program.
const Fl_Color kPanelColour = fl_rgb_color(41, 45, 53);
const Fl_Color kFieldColour = fl_rgb_color(28, 31, 37);
const Fl_Color kButtonColour = fl_rgb_color(58, 64, 75);
const Fl_Color kTextColour = fl_rgb_color(222, 226, 232);
const Fl_Color kAccentColour = fl_rgb_color(112, 89, 248);
const Fl_Color kWarningColour = fl_rgb_color(255, 184, 76);

// Light text on the dark panel; fields a shade darker, buttons lighter.
void paint(Fl_Widget& w, Fl_Color background)
{
    w.color(background);
    w.labelcolor(kTextColour);
    w.selection_color(kAccentColour);
}

// A number typed in, or stepped with two small arrow buttons.
class NumberInput : public Fl_Group {
public:
    NumberInput(int x, int y, int w, int h)
        : Fl_Group(x, y, w, h),
          input(x, y, w - kArrowWidth, h),
          up(x + w - kArrowWidth, y, kArrowWidth, h / 2, "@-38>"),
          down(x + w - kArrowWidth, y + h / 2, kArrowWidth, h - h / 2, "@-32>")
    {
        end();
        paint(input, kFieldColour);
        input.textcolor(kTextColour);
        input.cursor_color(kTextColour);
        paint(up, kButtonColour);
        paint(down, kButtonColour);
        // Typing is taken at Enter or when the field is left, so a value on its
        // way ("3" of "300") is never held to the range.
        input.when(FL_WHEN_ENTER_KEY_ALWAYS | FL_WHEN_RELEASE);
        resizable(input);
    }
    void resize(int x, int y, int w, int h) override
    {
        Fl_Widget::resize(x, y, w, h);
        input.resize(x, y, w - kArrowWidth, h);
        up.resize(x + w - kArrowWidth, y, kArrowWidth, h / 2);
        down.resize(x + w - kArrowWidth, y + h / 2, kArrowWidth, h - h / 2);
    }

    Fl_Float_Input input;
    Fl_Repeat_Button up;
    Fl_Repeat_Button down;
};

// The number with at most decimals digits after the point, no trailing zeros.
std::string numberText(double v, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    std::string s = text;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

// FLTK's menus read '/', '&', '_' and '\' in an entry; shown as they are.
std::string menuEntry(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '/' || c == '&' || c == '_' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

// The child window; keys its widgets leave go to the program, so its keys
// work while a field has the focus.
class FormWindow : public Fl_Double_Window {
public:
    FormWindow(FltkWindowSystem& windows, int x, int y, int w, int h)
        : Fl_Double_Window(x, y, w, h), windows_(windows)
    {
    }
    int handle(int event) override
    {
        if (Fl_Double_Window::handle(event))
            return 1;
        if (event == FL_KEYBOARD || event == FL_SHORTCUT || event == FL_KEYUP)
            return windows_.key(Fl::event_key(), event != FL_KEYUP) ? 1 : 0;
        return 0;
    }

private:
    FltkWindowSystem& windows_;
};

Fl_Window* formWindowAt(Fl_Window& main, int x, int y)
{
    for (int i = 0; i < main.children(); ++i) {
        auto* form = dynamic_cast<FormWindow*>(main.child(i));
        if (form && form->visible() && x >= form->x() && x < form->x() + form->w() &&
            y >= form->y() && y < form->y() + form->h())
            return form;
    }
    return nullptr;
}

FltkForm::FltkForm(FltkWindowSystem& windows, Fl_Window& main, Form& form, int x, int y, int w,
                   int h)
    : form_(form)
{
    Fl_Group* const current = Fl_Group::current();
    Fl_Group::current(nullptr);
    window_ = new FormWindow(windows, x, y, w > 0 ? w : 1, h > 0 ? h : 1);
    window_->end();
    window_->color(kPanelColour);
    main.add(window_);
    Fl_Group::current(current);
    alive_ = std::make_unique<Fl_Widget_Tracker>(window_);
    Fl_Tooltip::font(cjkFont());
    Fl_Tooltip::size(kFontSize);
    build();
    form_.redisplay = [this](int index) { show(index); };
    window_->hide();
}

FltkForm::~FltkForm()
{
    form_.redisplay = nullptr;
    if (!alive_->deleted()) {
        if (Fl_Group* parent = window_->parent())
            parent->remove(window_);
        delete window_;
    }
}

Fl_Window* FltkForm::window() const
{
    return alive_->deleted() ? nullptr : window_;
}

void FltkForm::place(int x, int y, int w, int h)
{
    if (alive_->deleted())
        return;
    window_->resize(x, y, w > 0 ? w : 1, h > 0 ? h : 1);
    layout();
}

void FltkForm::setShown(bool shown)
{
    if (alive_->deleted())
        return;
    if (shown && !window_->visible())
        window_->show();
    else if (!shown && window_->visible())
        window_->hide();
}

void FltkForm::build()
{
    rows_.resize(form_.fields.size());
    window_->begin();
    for (size_t i = 0; i < rows_.size(); ++i) {
        const FormField& f = form_.fields[i];
        Row& row = rows_[i];
        row.owner = this;
        row.index = int(i);
        if (f.kind != FieldKind::Check && f.kind != FieldKind::Label) {
            auto* caption = new Fl_Box(0, 0, 1, 1);
            caption->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
            caption->copy_label(f.label.c_str());
            caption->labelfont(cjkFont());
            caption->labelsize(kFontSize);
            caption->labelcolor(kTextColour);
            row.caption = caption;
        }
        switch (f.kind) {
        case FieldKind::Label: {
            auto* box = new Fl_Box(0, 0, 1, 1);
            box->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
            row.widget = box;
            break;
        }
        case FieldKind::Choice: {
            auto* choice = new Fl_Choice(0, 0, 1, 1);
            paint(*choice, kButtonColour);
            choice->textcolor(kTextColour);
            for (const std::string& entry : f.choices)
                choice->add(menuEntry(entry).c_str());
            choice->textfont(cjkFont());
            choice->textsize(kFontSize);
            row.widget = choice;
            break;
        }
        case FieldKind::Check: {
            auto* check = new Fl_Check_Button(0, 0, 1, 1);
            check->copy_label(f.label.c_str());
            row.widget = check;
            break;
        }
        case FieldKind::Number: {
            auto* number = new NumberInput(0, 0, 40, kRowHeight);
            number->input.textfont(cjkFont());
            number->input.textsize(kFontSize);
            number->input.callback(edited, &row);
            number->up.callback(edited, &row);
            number->down.callback(edited, &row);
            row.widget = number;
            break;
        }
        }
        if (f.kind == FieldKind::Label || f.kind == FieldKind::Check)
            paint(*row.widget, kPanelColour);
        row.widget->labelcolor(kTextColour);
        row.widget->labelfont(cjkFont());
        row.widget->labelsize(kFontSize);
        if (f.kind != FieldKind::Number && f.kind != FieldKind::Label)
            row.widget->callback(edited, &row);
        show(int(i));
    }
    window_->end();
    layout();
}

void FltkForm::edited(Fl_Widget* w, void* data)
{
    const Row& row = *static_cast<Row*>(data);
    Form& form = row.owner->form_;
    const FormField& f = form.fields.at(size_t(row.index));
    switch (f.kind) {
    case FieldKind::Choice:
        form.enterValue(row.index, static_cast<Fl_Choice*>(w)->value());
        break;
    case FieldKind::Check:
        form.enterValue(row.index, static_cast<Fl_Check_Button*>(w)->value());
        break;
    case FieldKind::Number: {
        auto* number = static_cast<NumberInput*>(row.widget);
        if (w == &number->up || w == &number->down) {
            form.enterValue(row.index, f.value + (w == &number->up ? f.step : -f.step));
            // Shown anew: entering does so only when holding changed the value.
            row.owner->show(row.index);
            break;
        }
        const char* text = number->input.value();
        char* end = nullptr;
        const double v = std::strtod(text, &end);
        // Not a number: what the field holds comes back; a number shows as held.
        if (end != text && *end == '\0' && std::isfinite(v) && v != f.value)
            form.enterValue(row.index, v);
        row.owner->show(row.index);
        break;
    }
    case FieldKind::Label:
        break;
    }
}

void FltkForm::show(int index)
{
    if (alive_->deleted() || index < 0 || size_t(index) >= rows_.size())
        return;
    const FormField& f = form_.fields[size_t(index)];
    Row& row = rows_[size_t(index)];
    switch (f.kind) {
    case FieldKind::Label:
        row.widget->copy_label(f.text.c_str());
        row.widget->labelcolor(f.emphasis ? kWarningColour : kTextColour);
        layout();   // a longer text may take more lines
        break;
    case FieldKind::Choice:
        static_cast<Fl_Choice*>(row.widget)->value(int(f.value));
        break;
    case FieldKind::Check:
        static_cast<Fl_Check_Button*>(row.widget)->value(f.value != 0);
        break;
    case FieldKind::Number:
        static_cast<NumberInput*>(row.widget)->input.value(numberText(f.value, f.decimals).c_str());
        break;
    }
    if (f.active)
        row.widget->activate();
    else
        row.widget->deactivate();
    if (row.caption)
        f.active ? row.caption->activate() : row.caption->deactivate();
    // FLTK's tooltip keeps pointing at the widget's text while it shows: a
    // text replaced under it would be read after it was freed.
    const char* tip = row.widget->tooltip();
    if (f.tooltip != (tip ? tip : "")) {
        if (Fl_Tooltip::current() == row.widget)
            Fl_Tooltip::exit(row.widget);
        row.widget->copy_tooltip(f.tooltip.empty() ? nullptr : f.tooltip.c_str());
    }
    row.widget->redraw();
}

void FltkForm::layout()
{
    const int inner = window_->w() - 2 * kMargin;
    const int caption = inner * kCaptionShare / 100;
    int y = kMargin;
    fl_font(cjkFont(), kFontSize);
    for (Row& row : rows_) {
        if (!row.widget)
            continue;   // still being built
        const FormField& f = form_.fields[size_t(row.index)];
        int h = kRowHeight;
        if (f.kind == FieldKind::Label) {
            int mw = inner, mh = 0;
            fl_measure(f.text.c_str(), mw, mh, 0);
            h = f.text.empty() ? 0 : std::max(kRowHeight - 6, mh + 2);
            row.widget->resize(kMargin, y, inner, h);
        } else if (row.caption) {
            row.caption->resize(kMargin, y, caption, h);
            row.widget->resize(kMargin + caption, y, inner - caption, h);
        } else {
            row.widget->resize(kMargin, y, inner, h);
        }
        y += h + (h > 0 ? kRowGap : 0);
    }
    window_->redraw();
}

}  // namespace ovek
