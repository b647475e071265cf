#include "toolkit/form.h"

#include <cmath>

namespace ovek {

double heldValue(const FormField& f, double v)
{
    switch (f.kind) {
    case FieldKind::Choice: {
        const double last = f.choices.empty() ? 0 : double(f.choices.size() - 1);
        return std::isnan(v) ? 0 : std::floor(std::fmin(std::fmax(v, 0), last));
    }
    case FieldKind::Check:
        return v != 0 && !std::isnan(v) ? 1 : 0;
    case FieldKind::Number: {
        // A whole field's limits are the whole numbers inside its range.
        const double lo = f.whole ? std::ceil(f.minimum) : f.minimum;
        const double hi = f.whole ? std::floor(f.maximum) : f.maximum;
        if (std::isnan(v))
            return lo;
        return std::fmin(std::fmax(f.whole ? std::round(v) : v, lo), hi);
    }
    case FieldKind::Label:
        break;
    }
    return v;
}

int Form::add(FormField field)
{
    field.value = heldValue(field, field.value);
    fields.push_back(std::move(field));
    return int(fields.size() - 1);
}

void Form::enterValue(int index, double v)
{
    if (index < 0 || size_t(index) >= fields.size() || !fields[size_t(index)].active)
        return;
    FormField& f = fields[size_t(index)];
    f.value = heldValue(f, v);
    if (f.value != v)
        shown(index);   // the widget still shows what was typed
    if (userChanged)
        userChanged(index);
}

void Form::setValue(int index, double v)
{
    FormField& f = fields.at(size_t(index));
    f.value = heldValue(f, v);
    shown(index);
}

void Form::setText(int index, const std::string& t)
{
    fields.at(size_t(index)).text = t;
    shown(index);
}

void Form::setActive(int index, bool active)
{
    fields.at(size_t(index)).active = active;
    shown(index);
}

void Form::setRange(int index, double minimum, double maximum)
{
    FormField& f = fields.at(size_t(index));
    f.minimum = minimum;
    f.maximum = maximum;
    f.value = heldValue(f, f.value);
    shown(index);
}

void Form::shown(int index)
{
    if (redisplay)
        redisplay(index);
}

}  // namespace ovek
