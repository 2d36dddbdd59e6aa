#include "forms/frm_result.h"

#include "forms/comma_filter.h"
#include "forms/frm_initial.h"
#include "forms/program.h"
#include "run/critical_text.h"

namespace forms {

// The strip below the controls: its rule, the exact values beside Copy, and
// under them the level and its critical values.
namespace strip {
constexpr int rule = 3135;
constexpr platform::Rect exact{240, 3225, 3375, 975};
constexpr platform::Rect copy{5040, 3255, 975, 375};
constexpr platform::Rect alpha_label{240, 4365, 300, 255};
constexpr platform::Rect alpha{600, 4305, 735, 375};
constexpr platform::Rect critical{1440, 4365, 4725, 255};
constexpr int bottom = 4755;
}  // namespace strip

frm_result::frm_result(Program& program) : platform::Form(6225, strip::bottom), program_(program)
{
    create_controls();
    wire_events();
}

void frm_result::create_controls()
{
    pic_geral.place({240, 360, 5655, 1335});
    lbl_graph.place({0, 1800, 5655, 375});
    cmd_back.place({5040, 2160, 975, 375});
    cmd_exit.place({5040, 2640, 975, 375});
    add_rule(strip::rule);
    lbl_exact.place(strip::exact);
    cmd_copy.place(strip::copy);
    lbl_alpha.place(strip::alpha_label);
    txt_alpha.place(strip::alpha);
    lbl_critical.place(strip::critical);

    lbl_graph.set_font(platform::courier(9, true));
    lbl_graph.set_align(platform::Align::center);
    cmd_back.set_font(platform::courier(8.25, true));
    cmd_exit.set_font(platform::courier(8.25, true));
    lbl_exact.set_font(platform::courier(9, true));
    cmd_copy.set_font(platform::courier(8.25, true));
    lbl_alpha.set_font(platform::courier(9, true));
    txt_alpha.set_font(platform::courier(9, false));
    lbl_critical.set_font(platform::courier(9, true));

    lbl_alpha.set_caption(u"\u03B1");
    lbl_alpha.set_align(platform::Align::right);
    lbl_alpha.set_buddy(txt_alpha);  // names the box for a screen reader
    txt_alpha.set_text(u"0.05");

    // The label reaches one pixel into Back; the button lies above it there.
    cmd_back.raise();
    cmd_exit.raise();

    set_tab_order({&cmd_back, &cmd_exit, &cmd_copy, &txt_alpha});
}

void frm_result::wire_events()
{
    cmd_back.on_click = [this] { cmd_back_Click(); };
    cmd_exit.on_click = [this] { cmd_exit_Click(); };
    cmd_copy.on_click = [this] { cmd_copy_Click(); };
    txt_alpha.on_change = [this] { txt_alpha_Change(); };
    txt_alpha.on_key_press = [this](char16_t& code) { txt_alpha_KeyPress(code); };
    on_copy = [this] { cmd_copy_Click(); };
    on_close = [this] { program_.end(); };
}

void frm_result::cmd_back_Click()
{
    frm_initial& initial = program_.initial();
    initial.show();
    hide();
    initial.txt_datavalue.set_text({});
    initial.txt_datadfnum.set_text({});
    initial.txt_datadfden.set_text({});
    lbl_graph.set_caption({});
    lbl_exact.set_caption({});
    lbl_critical.set_caption({});
    report_.clear();
    initial.txt_datavalue.set_focus();
}

void frm_result::cmd_exit_Click() { program_.end(); }

void frm_result::cmd_copy_Click()
{
    if (report_.empty()) return;  // no run shown
    platform::set_clipboard_text(*this, report_ +
                                 run::critical_report(question_, txt_alpha.text(), platform::decimal_separator()));
}

// The values follow the level as it is typed; words where it is no level.
void frm_result::txt_alpha_Change()
{
    if (!report_.empty()) lbl_critical.set_caption(run::critical_text(question_, txt_alpha.text(), platform::decimal_separator()));
}

void frm_result::txt_alpha_KeyPress(char16_t& KeyAscii) { comma_filter(txt_alpha, KeyAscii); }

void frm_result::show_outcome(const run::Outcome& outcome)
{
    lbl_graph.set_caption(outcome.line);
    lbl_exact.set_caption(run::exact_lines(outcome));
    report_ = outcome.report;
    question_ = outcome.question;
    txt_alpha_Change();
}

}  // namespace forms
