#pragma once
// The component that holds a form's native widgets: its rectangle places them,
// and the back buffer is never copied over it while it is shown.
#include <memory>

#include "toolkit/component.h"
#include "toolkit/form.h"
#include "toolkit/platform.h"

namespace ovek {

class FormPane : public Component {
public:
    FormPane() = default;
    // Takes itself off the platform's list; the native form goes with it.
    ~FormPane() override;
    FormPane(const FormPane&) = delete;
    FormPane& operator=(const FormPane&) = delete;

    std::unique_ptr<NativeForm> native;   // null without a window system that makes forms
    Platform* platform = nullptr;         // where it is listed; not owned

    // Has platform's window system make form's widgets at the pane's
    // rectangle, shown while the pane is visible. form outlives the pane.
    void attach(Form& form, Platform& owner);
    // Moves the widgets with the component.
    void setBounds(int x, int y, int w, int h) override;
    // Shows or hides the component and its widgets together.
    void setShown(bool shown);
};

}  // namespace ovek
