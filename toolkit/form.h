#pragma once
// A form of native input fields (choices, check boxes, numbers, texts) and
// labels, described without any window system: the program fills the fields,
// the window system shows them with its own widgets (WindowSystem::createForm)
// and stores what the user enters back here. Tests drive a form headless.
#include <functional>
#include <string>
#include <vector>

namespace ovek {

enum class FieldKind {
    Label,   // a line of text; text is what it shows
    Choice,  // one of choices; value is the index
    Check,   // value 0 or 1
    Number,  // value from minimum to maximum, in steps of step from minimum
};

struct FormField {
    FieldKind kind = FieldKind::Label;
    std::string label;                 // UTF-8, left of the field (a check box's beside it)
    std::string tooltip;               // UTF-8; empty: none
    std::vector<std::string> choices;  // Choice: its entries, UTF-8
    double value = 0;                  // Choice: index; Check: 0 or 1; Number: the number
    double minimum = 0;                // Number: the range the value is held to
    double maximum = 0;
    double step = 1;                   // Number: the arrows' step; > 0
    int decimals = 0;                  // Number: digits shown after the point
    bool whole = false;                // Number: only whole numbers
    std::string text;                  // Label and Text
    bool emphasis = false;             // Label: drawn to catch the eye (a warning)
    bool active = true;                // false: shown greyed, takes no input
};

// A value as field f can hold it: a Choice index within its entries, a Check
// 0 or 1, a Number within its range (whole when asked for). Not-a-number
// becomes the lowest value.
double heldValue(const FormField& f, double value);

class Form {
public:
    std::vector<FormField> fields;
    // The user changed field index (stored already, held to its limits). Set
    // by the program.
    std::function<void(int index)> userChanged;
    // The program changed field index: the window system shows it anew. Set
    // by the window system while it shows the form.
    std::function<void(int index)> redisplay;

    // Appends a field (its value held to its limits); returns its index.
    int add(FormField field);

    // What the window system calls with the user's input: the value held to
    // the field's limits is stored, shown anew when holding changed it, and
    // userChanged is told. Ignored for an unknown index or an inactive field.
    void enterValue(int index, double value);

    // The program's own changes: stored (values held), shown, not reported.
    void setValue(int index, double value);
    void setText(int index, const std::string& text);
    void setActive(int index, bool active);
    void setRange(int index, double minimum, double maximum);

    double value(int index) const { return fields.at(size_t(index)).value; }
    const std::string& text(int index) const { return fields.at(size_t(index)).text; }

private:
    void shown(int index);
};

// The window system's widgets for a form: a native child window of the root
// window. Its owner destroys it; it may outlive the window system, and then
// does nothing.
class NativeForm {
public:
    virtual ~NativeForm() = default;
    // Moves and resizes it, in root-window pixels.
    virtual void place(int x, int y, int w, int h) = 0;
    virtual void setShown(bool shown) = 0;
};

}  // namespace ovek
