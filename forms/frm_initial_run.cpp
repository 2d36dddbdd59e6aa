// The window side of the Run command: the main window seen as the few
// services the Run command's steps need.
#include "forms/frm_initial.h"
#include "forms/frm_result.h"
#include "forms/program.h"
#include "run/run_command.h"

namespace forms {

namespace {

class MainWindowView : public run::RunView {
public:
    explicit MainWindowView(frm_initial& f) : f_(f) {}

    run::Text caption() const override { return f_.lbl_value.caption(); }
    run::Text text(run::Box box) const override { return row(box).second->text(); }
    run::Text name(run::Box box) const override { return row(box).first->caption(); }
    char16_t decimal_separator() const override { return platform::decimal_separator(); }

private:
    std::pair<const platform::Label*, const platform::TextBox*> row(run::Box box) const
    {
        switch (box) {
        case run::Box::Value: return {&f_.lbl_value, &f_.txt_datavalue};
        case run::Box::Numerator: return {&f_.lbl_dfnum, &f_.txt_datadfnum};
        case run::Box::Denominator: break;
        }
        return {&f_.lbl_dfden, &f_.txt_datadfden};
    }

    frm_initial& f_;
};

}  // namespace

void frm_initial::cmd_run_Click()
{
    const run::Outcome outcome = run::run_command(MainWindowView(*this));
    switch (outcome.kind) {
    case run::Outcome::Kind::nothing: return;
    case run::Outcome::Kind::message:
        platform::message_box(this, outcome.message, u"Varendo", platform::BoxIcon::warning);
        return;
    case run::Outcome::Kind::result: break;
    }
    // Filled before it shows, so that it never paints without its values.
    frm_result& result = program().result();
    result.show_outcome(outcome);
    hide();
    result.show();
}

}  // namespace forms
