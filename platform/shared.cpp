// The window layer's members that need no toolkit: the font every control
// uses, the tab order and the first focus, what Ctrl+C copies, the same on
// every backend.
#include "platform/shared.h"

#include <charconv>
#include <string>

#include "platform/controls.h"
#include "platform/guard.h"

namespace platform {

namespace {
// Digits that no locale touches, as in every text the user may read.
std::string number_of(int value)
{
    char buffer[16];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}
}  // namespace

shared::MissingPicture::MissingPicture(int resource_number)
    : std::runtime_error("missing picture resource " + number_of(resource_number))
{
}

Font courier(double points, bool bold) { return Font{u"Courier New", points, bold}; }

void Form::set_tab_order(const std::vector<Control*>& order)
{
    tab_order_ = order;
    apply_tab_order();
}

Control* Form::focused() const
{
    for (Control* c : tab_order_)
        if (c->has_focus()) return c;
    return nullptr;
}

// A window that shows keeps a focus that still lies on a control it can
// use; otherwise the first control in tab order that can take it gets it.
void Form::focus_first()
{
    if (const Control* f = focused(); f && f->visible() && f->enabled()) return;
    for (Control* c : tab_order_) {
        if (c->visible() && c->enabled()) {
            c->set_focus();
            return;
        }
    }
}

double next_zoom(double current, int direction)
{
    if (direction == 0) return 1;
    double next = current;
    for (const double step : zoom_steps) {
        if (direction > 0 && step > current) return step;
        if (direction < 0 && step < current) next = step;
    }
    return direction > 0 ? current : next;
}

bool Form::copy_key()
{
    if (!on_copy) return false;
    if (const auto* box = dynamic_cast<const TextBox*>(focused()); box && box->has_selection()) return false;
    guarded(this, [this] { on_copy(); });
    return true;
}

}  // namespace platform
