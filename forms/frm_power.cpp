#include "forms/frm_power.h"

#include "forms/comma_filter.h"
#include "forms/frm_initial.h"
#include "forms/program.h"
#include "run/power_plot.h"
#include "run/wrap.h"

namespace forms {

// The layout in twips: the design's buttons along the top, a row a box
// below them with the questions beside the first four, the answer under the
// rows, and the two pictures to the right. A line of 9-point bold takes 255
// twips; words are wrapped for 110 a character, the widest it grows to at
// any zoom or density.
namespace layout {
constexpr int width = 15120, height = 8400;
constexpr int row_top = 1260, row_step = 510;
constexpr int character = 110, line = 255;
constexpr int row(int k) { return row_top + k * row_step; }
constexpr platform::Rect label_at(int k) { return {240, row(k) + 120, 3000, line}; }
constexpr platform::Rect box_at(int k) { return {3360, row(k), 1500, 375}; }
constexpr platform::Rect button_at(int k) { return {5160, row(k), 1680, 375}; }
constexpr platform::Rect design{240, 180, 6600, line};
constexpr int design_top = 540, design_width = 1260, design_step = 1335;
constexpr platform::Rect answer{240, 4890, 6600, 10 * line};
constexpr platform::Rect result{240, 7500, 6600, 3 * line};
constexpr platform::Rect distributions{7080, 120, 7920, 4020};
constexpr platform::Rect power_curve{7080, 4260, 7920, 4020};
}  // namespace layout

frm_power::frm_power(Program& program) : platform::Form(layout::width, layout::height), program_(program)
{
    create_controls();
    wire_events();
    cmd_design_Click(run::Design::t_two_groups);
}

void frm_power::create_controls()
{
    const platform::Font button_font = platform::courier(8.25, true);
    const platform::Font box_font = platform::courier(9, false);
    const platform::Font label_font = platform::courier(8.25, false);

    lbl_design.place(layout::design);
    lbl_design.set_font(platform::courier(8.25, true));
    platform::CommandButton* designs[] = {&cmd_t1, &cmd_t2, &cmd_anova, &cmd_regression, &cmd_chi};
    for (int k = 0; k < 5; ++k) {
        designs[k]->place({240 + k * layout::design_step, layout::design_top, layout::design_width, 495});
        designs[k]->set_font(button_font);
    }

    // Each box a row, named by its label; the design's own rows share places.
    struct Row { platform::Label* label; platform::TextBox* box; int row; const char16_t* caption; };
    const Row rows[] = {
        {&lbl_effect, &txt_effect, 0, u"EFFECT SIZE d"},
        {&lbl_alpha, &txt_alpha, 1, u"\u03B1"},
        {&lbl_power, &txt_power, 2, u"POWER"},
        {&lbl_n, &txt_n, 3, u"TOTAL N"},
        {&lbl_tails, &txt_tails, 4, u"TAILS"},
        {&lbl_groups, &txt_groups, 4, u"GROUPS k"},
        {&lbl_predictors, &txt_predictors, 4, u"PREDICTORS p"},
        {&lbl_degrees, &txt_degrees, 4, u"DEGREES OF FREEDOM"},
        {&lbl_ratio, &txt_ratio, 5, u"RATIO n2/n1"},
        {&lbl_observed, &txt_observed, 6, u"OBSERVED t"},
    };
    for (const Row& r : rows) {
        r.label->place(layout::label_at(r.row));
        r.label->set_font(label_font);
        r.label->set_align(platform::Align::right);
        r.label->set_caption(r.caption);
        r.label->set_buddy(*r.box);
        r.box->place(layout::box_at(r.row));
        r.box->set_font(box_font);
    }

    platform::CommandButton* buttons[] = {&cmd_find_power, &cmd_find_n, &cmd_find_effect, &cmd_find_alpha,
                                          &cmd_copy, &cmd_back, &cmd_exit};
    for (int k = 0; k < 7; ++k) {
        buttons[k]->place(layout::button_at(k));
        buttons[k]->set_font(button_font);
    }

    lbl_answer.place(layout::answer);
    lbl_answer.set_font(platform::courier(9, true));
    lbl_result.place(layout::result);
    lbl_result.set_font(platform::courier(9, true));
    pic_distributions.place(layout::distributions);
    pic_power_curve.place(layout::power_curve);

    // What a study usually starts from, in the user's separator.
    const platform::Text point(1, platform::decimal_separator());
    txt_alpha.set_text(u"0" + point + u"05");
    txt_power.set_text(u"0" + point + u"8");
    txt_tails.set_text(u"2");
    txt_ratio.set_text(u"1");
    txt_groups.set_text(u"3");
    txt_predictors.set_text(u"1");
    txt_degrees.set_text(u"1");

    // The pictures take no keys: they are read, not used.
    set_tab_order({&cmd_t1, &cmd_t2, &cmd_anova, &cmd_regression, &cmd_chi, &txt_effect, &txt_alpha, &txt_power,
                   &txt_n, &txt_tails, &txt_groups, &txt_predictors, &txt_degrees, &txt_ratio, &txt_observed,
                   &cmd_find_power, &cmd_find_n, &cmd_find_effect, &cmd_find_alpha, &cmd_copy, &cmd_back,
                   &cmd_exit});
}

void frm_power::wire_events()
{
    const std::pair<platform::CommandButton*, run::Design> designs[] = {
        {&cmd_t1, run::Design::t_one_sample}, {&cmd_t2, run::Design::t_two_groups}, {&cmd_anova, run::Design::anova},
        {&cmd_regression, run::Design::regression}, {&cmd_chi, run::Design::chi_square}};
    for (const auto& [button, design] : designs) button->on_click = [this, design = design] { cmd_design_Click(design); };
    const std::pair<platform::CommandButton*, run::Find> questions[] = {
        {&cmd_find_power, run::Find::power}, {&cmd_find_n, run::Find::n},
        {&cmd_find_effect, run::Find::effect}, {&cmd_find_alpha, run::Find::alpha}};
    for (const auto& [button, question] : questions)
        button->on_click = [this, question = question] { cmd_find_Click(question); };
    // A typed comma becomes a point once the box holds a character, as in
    // every box of the program; the boxes read either.
    for (platform::TextBox* box : {&txt_effect, &txt_alpha, &txt_power, &txt_n, &txt_tails, &txt_ratio, &txt_groups,
                                   &txt_predictors, &txt_degrees, &txt_observed})
        box->on_key_press = [box](char16_t& code) { comma_filter(*box, code); };
    cmd_copy.on_click = [this] { cmd_copy_Click(); };
    cmd_back.on_click = [this] { cmd_back_Click(); };
    cmd_exit.on_click = [this] { cmd_exit_Click(); };
    on_copy = [this] { cmd_copy_Click(); };
    on_close = [this] { cmd_back_Click(); };
}

run::Design frm_power::design() const
{
    for (const run::Design d : run::all_designs)
        if (lbl_design.caption() == run::describe(d).caption) return d;
    return run::Design::t_two_groups;
}

// The design's caption is the record of the choice; its own rows show, the
// effect's name follows it, and a medium effect of the last design gives
// way to this one's. The last answer no longer holds.
void frm_power::cmd_design_Click(run::Design chosen)
{
    const run::DesignInfo& before = run::describe(design());
    const run::DesignInfo& d = run::describe(chosen);
    lbl_design.set_caption(d.caption);
    lbl_effect.set_caption(u"EFFECT SIZE " + d.effect);
    lbl_observed.set_caption(u"OBSERVED " + d.statistic);
    if (txt_effect.text().empty() || txt_effect.text() == before.medium) txt_effect.set_text(d.medium);
    const std::pair<platform::Control*, bool> own[] = {
        {&lbl_tails, d.tails},   {&txt_tails, d.tails},           {&lbl_ratio, d.ratio},
        {&txt_ratio, d.ratio},   {&lbl_groups, d.groups},         {&txt_groups, d.groups},
        {&lbl_predictors, d.predictors}, {&txt_predictors, d.predictors}, {&lbl_degrees, d.degrees},
        {&txt_degrees, d.degrees}};
    for (const auto& [control, shown] : own) control->set_visible(shown);
    // The observed statistic's row follows the last of the design's own.
    const int observed_row = d.ratio ? 6 : 5;
    lbl_observed.place(layout::label_at(observed_row));
    txt_observed.place(layout::box_at(observed_row));
    show_answer({});
    txt_effect.set_focus();
}

void frm_power::cmd_find_Click(run::Find question)
{
    const run::PowerBoxes boxes{txt_effect.text(),     txt_alpha.text(),   txt_power.text(),  txt_n.text(),
                                txt_tails.text(),      txt_ratio.text(),   txt_groups.text(), txt_predictors.text(),
                                txt_degrees.text(),    txt_observed.text()};
    show_answer(run::answer(design(), boxes, question, platform::decimal_separator()));
}

void frm_power::show_answer(run::PowerAnswer answer)
{
    answer_ = std::move(answer);
    const size_t columns = size_t(layout::answer.width / layout::character);
    const platform::Text shown = answer_.answered ? answer_.lines : answer_.why;
    lbl_answer.set_caption(run::wrapped(shown, columns));
    lbl_result.set_caption(answer_.answered ? run::wrapped(answer_.result_lines, columns) : platform::Text());
    const char16_t separator = platform::decimal_separator();
    pic_distributions.set_drawing(run::distributions_picture(answer_, separator, layout::distributions.width / 15.0,
                                                             layout::distributions.height / 15.0));
    pic_power_curve.set_drawing(run::power_curve_picture(answer_, separator, layout::power_curve.width / 15.0,
                                                         layout::power_curve.height / 15.0));
}

// A paragraph for a methods section; nothing while no answer is shown.
void frm_power::cmd_copy_Click()
{
    if (!answer_.answered) return;
    platform::set_clipboard_text(*this, answer_.paragraph + u"\n");
}

// Back to the main window as it was; this one keeps what it holds.
void frm_power::cmd_back_Click()
{
    frm_initial& initial = program_.initial();
    initial.show();
    hide();
}

void frm_power::cmd_exit_Click() { program_.end(); }

}  // namespace forms
