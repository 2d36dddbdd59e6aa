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
    void swap_windows() override
    {
        f_.hide();
        f_.program().result().show();
    }
    void show_line(const run::Text& line) override { f_.program().result().lbl_graph.set_caption(line); }
    void show_message(const run::Text& message) override
    {
        platform::message_box(&f_, message, u"Varendo", platform::BoxIcon::warning);
    }

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
    MainWindowView view(*this);
    run::run_command(view);
}

}  // namespace forms
