#include "forms/frm_initial.h"

#include "forms/comma_filter.h"

#include "forms/frm_power.h"
#include "forms/frm_result.h"
#include "forms/program.h"

namespace forms {

namespace {
// Seven lines, every one of them true: no person or address the project does
// not have, and no place it does not give. The version is the one the build
// defines.
const platform::Text about_notice =
    u"Varendo " VARENDO_VERSION "\r\n"
    "Lower, upper and two-sided tails of chi-square, normal,\r\n"
    "t and F statistics, exact to four significant digits at any size;\r\n"
    "critical values at any level; a plot of each answer; power,\r\n"
    "sample size and effect sizes with their confidence intervals.\r\n"
    "Copyright (c) 2026 The Varendo developers\r\n"
    "Free software under the MIT licence, with no warranty of any kind.";
}  // namespace

// The window grew by a row at its foot for Power..., below the selection buttons.
frm_initial::frm_initial(Program& program) : platform::Form(6735, 4365), program_(program)
{
    create_controls();
    wire_events();
    Form_Load();
}

void frm_initial::create_controls()
{
    const platform::Font button_font = platform::courier(8.25, true);
    const platform::Font box_font = platform::courier(9, false);
    const platform::Font label_font = platform::courier(8.25, false);

    struct Place { platform::Control* control; platform::Rect twips; platform::Font font; };
    const Place places[] = {
        {&txt_datavalue, {3120, 480, 735, 375}, box_font},
        {&lbl_value, {600, 600, 2295, 255}, label_font},
        {&cmd_run, {4920, 480, 1215, 375}, button_font},
        {&txt_datadfnum, {3120, 1080, 735, 375}, box_font},
        {&lbl_dfnum, {600, 1200, 2295, 255}, label_font},
        {&cmd_exit, {4920, 1080, 1215, 375}, button_font},
        {&txt_datadfden, {3120, 1680, 735, 375}, box_font},
        {&lbl_dfden, {600, 1800, 2295, 255}, label_font},
        {&cmd_about, {4920, 1680, 1215, 375}, button_font},
        {&Text1, {1440, 2400, 3855, 285}, button_font},
        {&cmd_chi, {360, 2880, 1335, 495}, button_font},
        {&cmd_gauss, {1920, 2880, 1335, 495}, button_font},
        {&cmd_t, {3480, 2880, 1335, 495}, button_font},
        {&cmd_f, {5040, 2880, 1335, 495}, button_font},
        {&cmd_power, {4920, 3720, 1215, 375}, button_font},
    };
    for (const Place& p : places) {
        p.control->place(p.twips);
        p.control->set_font(p.font);
    }

    // The degrees boxes start with four blanks; they read as 0.
    txt_datadfnum.set_text(u"    ");
    txt_datadfden.set_text(u"    ");

    for (platform::Label* label : {&lbl_value, &lbl_dfnum, &lbl_dfden}) label->set_align(platform::Align::right);
    // A screen reader names each box by its row's label.
    lbl_value.set_buddy(txt_datavalue);
    lbl_dfnum.set_buddy(txt_datadfnum);
    lbl_dfden.set_buddy(txt_datadfden);

    Text1.set_text(u"Select the statistical distribution");
    Text1.set_align(platform::Align::center);
    Text1.set_plain();
    Text1.set_accessible_name(Text1.text());  // no label names it

    // The bracket over the selection buttons.
    add_line(360, 2760, 360, 2520);
    add_line(360, 2520, 1440, 2520);
    add_line(6360, 2760, 6360, 2520);
    add_line(5280, 2520, 6240, 2520);
    add_line(5280, 2520, 6360, 2520);

    set_tab_order({&txt_datavalue, &txt_datadfnum, &txt_datadfden, &cmd_run, &cmd_about, &cmd_exit, &cmd_chi,
                   &cmd_gauss, &cmd_t, &cmd_f, &Text1, &cmd_power});
}

void frm_initial::wire_events()
{
    cmd_chi.on_click = [this] { cmd_chi_Click(); };
    cmd_gauss.on_click = [this] { cmd_gauss_Click(); };
    cmd_t.on_click = [this] { cmd_t_Click(); };
    cmd_f.on_click = [this] { cmd_f_Click(); };
    cmd_run.on_click = [this] { cmd_run_Click(); };
    cmd_about.on_click = [this] { cmd_about_Click(); };
    cmd_exit.on_click = [this] { cmd_exit_Click(); };
    cmd_power.on_click = [this] { cmd_power_Click(); };
    txt_datavalue.on_key_press = [this](char16_t& code) { txt_datavalue_KeyPress(code); };
    on_close = [this] { program_.end(); };
}

void frm_initial::Form_Load()
{
    txt_datavalue.hide();
    txt_datadfnum.hide();
    txt_datadfden.hide();
    cmd_run.set_enabled(false);
}

// The choice is recorded in lbl_value's caption and nowhere else; the
// boxes the distribution reads are shown with their rows' captions.
void frm_initial::select(run::DistributionId id)
{
    const run::Distribution& d = run::describe(id);
    cmd_run.set_enabled(true);
    lbl_value.set_caption(d.caption);
    txt_datavalue.show();
    txt_datavalue.set_focus();

    const bool numerator = d.degrees() > 0, denominator = d.degrees() > 1;
    if (numerator) lbl_dfnum.set_caption(d.numerator_row);
    lbl_dfnum.set_visible(numerator);
    txt_datadfnum.set_visible(numerator);

    if (denominator) lbl_dfden.set_caption(d.denominator_row);
    lbl_dfden.set_visible(denominator);
    txt_datadfden.set_visible(denominator);

    program_.result().show_picture(d);
}

void frm_initial::cmd_chi_Click() { select(run::DistributionId::chi_square); }

void frm_initial::cmd_gauss_Click() { select(run::DistributionId::normal); }

void frm_initial::cmd_t_Click() { select(run::DistributionId::t); }

void frm_initial::cmd_f_Click() { select(run::DistributionId::f); }

void frm_initial::txt_datavalue_KeyPress(char16_t& KeyAscii) { comma_filter(txt_datavalue, KeyAscii); }

void frm_initial::cmd_about_Click()
{
    platform::message_box(this, about_notice, u"Varendo");
}

void frm_initial::cmd_exit_Click() { program_.end(); }

// The power window in its place; its Back brings this one back as it was.
void frm_initial::cmd_power_Click()
{
    frm_power& power = program_.power();
    power.open();
    hide();
}

}  // namespace forms
