#pragma once
// A form's native widgets on FLTK: one child window of the main window, a row
// per field (its label left, the widget right; a check box or a label across
// the row), greyed while inactive.
#include <memory>
#include <vector>

#include "toolkit/form.h"

class Fl_Widget;
class Fl_Widget_Tracker;
class Fl_Window;

namespace ovek {

class FltkWindowSystem;
class FormWindow;

class FltkForm : public NativeForm {
public:
    // In main, which owns the child window from here; form outlives this.
    FltkForm(FltkWindowSystem& windows, Fl_Window& main, Form& form, int x, int y, int w, int h);
    // Deletes the child window unless the main window took it along already.
    ~FltkForm() override;
    FltkForm(const FltkForm&) = delete;
    FltkForm& operator=(const FltkForm&) = delete;

    void place(int x, int y, int w, int h) override;
    void setShown(bool shown) override;

    // The widget showing field index, for tests.
    Fl_Widget* widget(int index) const { return rows_.at(size_t(index)).widget; }
    Fl_Window* window() const;

private:
    struct Row {
        FltkForm* owner = nullptr;
        int index = 0;
        Fl_Widget* caption = nullptr;   // the label left of the widget; null for checks and labels
        Fl_Widget* widget = nullptr;
    };

    static void edited(Fl_Widget* w, void* row);
    void build();
    void show(int index);
    void layout();

    Form& form_;
    FormWindow* window_;                          // owned by the main window
    std::unique_ptr<Fl_Widget_Tracker> alive_;    // whether window_ still exists
    std::vector<Row> rows_;                       // one per field; addresses are user data
};

// The shown form window of main's at (x, y) in main's pixels, or null. X
// gives its clicks to main, which passes them on there.
Fl_Window* formWindowAt(Fl_Window& main, int x, int y);

}  // namespace ovek
