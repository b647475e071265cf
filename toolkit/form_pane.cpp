#include "toolkit/form_pane.h"

#include <algorithm>

namespace ovek {

FormPane::~FormPane()
{
    if (!platform)
        return;
    auto& cells = platform->emptyComponents;
    cells.erase(std::remove(cells.begin(), cells.end(), this), cells.end());
}

void FormPane::attach(Form& form, Platform& owner)
{
    platform = &owner;
    if (!owner.windows)
        return;
    native = owner.windows->createForm(form, left, top, width, height);
    if (!native)
        return;
    native->setShown(visible);
    owner.addEmptyComponent(this);
}

void FormPane::setBounds(int x, int y, int w, int h)
{
    Component::setBounds(x, y, w, h);
    if (native)
        native->place(x, y, w, h);
}

void FormPane::setShown(bool shown)
{
    setVisible(shown);
    if (native)
        native->setShown(shown);
}

}  // namespace ovek
