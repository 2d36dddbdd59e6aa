#include "forms/frm_result.h"

#include "forms/comma_filter.h"
#include "forms/frm_initial.h"
#include "forms/program.h"
#include "run/critical_text.h"
#include "charts/plot.h"
#include "run/wrap.h"

namespace forms {

// The strip below the controls: its rule, the exact values of five tails
// beside Copy, under them the level, its critical values (three) and the
// verdict (two lines). A line of 9-point bold takes 255 twips, a character
// 105 (7 pixels) at 100 %; words are wrapped for 110, the widest a
// character grows to at any zoom or density (11 pixels at 150 %).
namespace strip {
constexpr int rule = 3135;
constexpr int line = 255, character = 110;
constexpr platform::Rect exact{240, 3225, 3375, 5 * line};
constexpr platform::Rect copy{5040, 3255, 975, 375};
constexpr platform::Rect alpha_label{240, 4605, 300, line};
constexpr platform::Rect alpha{600, 4545, 1500, 375};  // "0.000001" and more, whole
constexpr platform::Rect critical{2280, 4605, 3885, 3 * line};
constexpr platform::Rect copy_picture{4560, 3735, 1455, 375};
constexpr platform::Rect verdict{240, 5415, 5925, 2 * line};
constexpr int bottom = 6045;
}  // namespace strip

// The plot beside all of it, to the window's right edge: 380 x 301 pixels,
// and under it what was read of a box not read in full, six lines.
constexpr platform::Rect plot{6240, 120, 5700, 4515};
constexpr platform::Rect note{6240, 4725, 5700, 6 * strip::line};
constexpr int width = 12180;

frm_result::frm_result(Program& program) : platform::Form(width, strip::bottom), program_(program)
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
    cmd_copy_picture.place(strip::copy_picture);
    pic_plot.place(plot);
    lbl_verdict.place(strip::verdict);
    lbl_note.place(note);

    lbl_graph.set_font(platform::courier(9, true));
    lbl_graph.set_align(platform::Align::center);
    cmd_back.set_font(platform::courier(8.25, true));
    cmd_exit.set_font(platform::courier(8.25, true));
    lbl_exact.set_font(platform::courier(9, true));
    cmd_copy.set_font(platform::courier(8.25, true));
    lbl_alpha.set_font(platform::courier(9, true));
    txt_alpha.set_font(platform::courier(9, false));
    lbl_critical.set_font(platform::courier(9, true));
    cmd_copy_picture.set_font(platform::courier(8.25, true));
    lbl_verdict.set_font(platform::courier(9, true));
    lbl_note.set_font(platform::courier(9, true));

    lbl_alpha.set_caption(u"\u03B1");
    lbl_alpha.set_align(platform::Align::right);
    lbl_alpha.set_buddy(txt_alpha);  // names the box for a screen reader
    // In the user's separator; the box reads either.
    txt_alpha.set_text(platform::Text(u"0") + platform::decimal_separator() + u"05");

    // The label reaches one pixel into Back; the button lies above it there.
    cmd_back.raise();
    cmd_exit.raise();

    // The plot takes no keys: it is read, not used.
    set_tab_order({&cmd_back, &cmd_exit, &cmd_copy, &txt_alpha, &cmd_copy_picture});
}

void frm_result::wire_events()
{
    cmd_back.on_click = [this] { cmd_back_Click(); };
    cmd_exit.on_click = [this] { cmd_exit_Click(); };
    cmd_copy.on_click = [this] { cmd_copy_Click(); };
    cmd_copy_picture.on_click = [this] { cmd_copy_picture_Click(); };
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
    lbl_verdict.set_caption({});
    lbl_note.set_caption({});
    outcome_ = {};
    make_plot();
    pic_plot.set_drawing(plot_.at(txt_alpha.text()));
    initial.txt_datavalue.set_focus();
}

void frm_result::cmd_exit_Click() { program_.end(); }

void frm_result::cmd_copy_Click()
{
    if (outcome_.kind != run::Outcome::Kind::result) return;  // no run shown
    const char16_t separator = platform::decimal_separator();
    const platform::Text verdict = run::verdict_text(outcome_, txt_alpha.text(), separator);
    platform::set_clipboard_text(*this, outcome_.report +
                                            run::critical_report(outcome_.question, txt_alpha.text(), separator) +
                                            (verdict.empty() ? verdict : verdict + u"\n"));
}

// The plot as an image for a report, at twice its size.
void frm_result::cmd_copy_picture_Click()
{
    if (outcome_.kind != run::Outcome::Kind::result) return;
    platform::set_clipboard_picture(*this, pic_plot.drawing(), 2);
}

// The values, the verdict and the plot's dashed lines follow the level as it
// is typed; words where it is no level.
void frm_result::txt_alpha_Change()
{
    if (outcome_.kind != run::Outcome::Kind::result) return;
    const char16_t separator = platform::decimal_separator();
    lbl_critical.set_caption(run::critical_text(outcome_.question, txt_alpha.text(), separator));
    lbl_verdict.set_caption(run::wrapped(run::verdict_text(outcome_, txt_alpha.text(), separator),
                                         strip::verdict.width / strip::character));
    pic_plot.set_drawing(plot_.at(txt_alpha.text()));
}

// The run's plot, made once but for the critical values, which follow the level.
void frm_result::make_plot()
{
    plot_ = charts::Plot(outcome_, platform::decimal_separator(), plot.width / 15.0, plot.height / 15.0);
}

void frm_result::show_picture(const run::Distribution& distribution)
{
    pic_geral.set_picture(distribution.picture);
    pic_geral.set_description(distribution.picture_words);
}

void frm_result::txt_alpha_KeyPress(char16_t& KeyAscii) { comma_filter(txt_alpha, KeyAscii); }

void frm_result::show_outcome(const run::Outcome& outcome)
{
    lbl_graph.set_caption(outcome.line);
    lbl_exact.set_caption(run::exact_lines(outcome));
    lbl_note.set_caption(run::note_lines(outcome, note.width / strip::character));
    outcome_ = outcome;
    make_plot();
    txt_alpha_Change();
}

}  // namespace forms
