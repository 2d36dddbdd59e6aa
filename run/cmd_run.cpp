// The Run command: the one place where the program computes.
#include <exception>

#include "engine/chi_square_upper.h"
#include "engine/f_probability.h"
#include "engine/normal_areas.h"
#include "engine/student_t.h"
#include "forms/captions.h"
#include "forms/frm_initial.h"
#include "forms/frm_result.h"
#include "forms/program.h"
#include "platform/number_text.h"
#include "run/input_checks.h"
#include "run/limits.h"
#include "run/value_text.h"

namespace forms {

namespace {

double read(const platform::TextBox& box) { return platform::parse(box.text()); }

// The box's name as the user sees it: its row's label.
QString name_of(const platform::Label& label) { return label.caption().trimmed(); }

void swap_windows(frm_initial& f)
{
    f.hide();
    f.program().result().show();
}

void show_line(frm_initial& f, const QString& line)
{
    f.program().result().lbl_graph.set_caption(line);
}

// Twice the smaller tail, so that no shown probability exceeds 1.
double doubled_tail(double C) { return C >= 0.5 ? 2 * (1 - C) : 2 * C; }

void chi_square_branch(frm_initial& f)
{
    const double x = read(f.txt_datavalue);
    const double nu = read(f.txt_datadfnum);
    run::require_not_negative(x, name_of(f.lbl_value));
    run::require_degrees(nu, name_of(f.lbl_dfnum), run::limits::chi_square_degrees);

    const double P = engine::chi_square_upper(x, nu).P;
    swap_windows(f);

    QString text1 = run::value_text(P);
    run::repair_comma(text1);
    show_line(f, QStringLiteral("  P = ") + text1);
}

void normal_branch(frm_initial& f)
{
    const double z = read(f.txt_datavalue);

    const double u = engine::normal_area(z).u;
    swap_windows(f);

    QString text1 = run::value_text(u);
    QString text2 = run::value_text(2 * u);
    QString text3 = run::value_text(0.5 - u);
    QString text4 = run::value_text(1 - 2 * u);
    run::repair_pair(text1, text2);
    run::repair_pair(text3, text4);
    show_line(f, QStringLiteral("  P = ") + text1 + QStringLiteral("   P = ") + text2 +
                     QStringLiteral("   P = ") + text3 + QStringLiteral("   P = ") + text4);
}

void t_branch(frm_initial& f)
{
    const double t = read(f.txt_datavalue);
    const double nu = read(f.txt_datadfnum);
    run::require_degrees(nu, name_of(f.lbl_dfnum), run::limits::t_degrees);

    const double C = engine::student_t(t, nu).C;
    swap_windows(f);

    QString text1 = run::value_text(1 - C);
    QString text2 = run::value_text(doubled_tail(C));
    run::repair_pair(text1, text2);
    show_line(f, QStringLiteral("   P = ") + text1 + QStringLiteral("       P = ") + text2);
}

void f_branch(frm_initial& f)
{
    const double F = read(f.txt_datavalue);
    const double nu1 = read(f.txt_datadfnum);
    const double nu2 = read(f.txt_datadfden);
    run::require_positive(F, name_of(f.lbl_value));
    run::require_degrees(nu1, name_of(f.lbl_dfnum), run::limits::f_degrees);
    run::require_degrees(nu2, name_of(f.lbl_dfden), run::limits::f_degrees);

    const double C = engine::f_probability(F, nu1, nu2).C;
    swap_windows(f);

    QString text1 = run::value_text(1 - C);
    QString text2 = run::value_text(doubled_tail(C));
    run::repair_pair(text1, text2);
    show_line(f, QStringLiteral("  P = ") + text1 + QStringLiteral("        P = ") + text2);
}

}  // namespace

void frm_initial::cmd_run_Click()
{
    // Every fault and refusal arises before the window swap, so the main
    // window is still on screen for the message and the next try.
    QString trouble;
    try {
        if (lbl_value.caption() == captions::chi_square) chi_square_branch(*this);
        if (lbl_value.caption() == captions::normal) normal_branch(*this);
        if (lbl_value.caption() == captions::t) t_branch(*this);
        if (lbl_value.caption() == captions::f) f_branch(*this);
        return;
    } catch (const run::Refusal& refusal) {
        trouble = refusal.message;
    } catch (const platform::Fault& fault) {
        trouble = run::fault_message(fault.kind());
    } catch (const std::exception& error) {
        trouble = QStringLiteral("Something went wrong: %1").arg(QString::fromUtf8(error.what()));
    }
    platform::message_box(this, trouble, QStringLiteral("Varendo"), platform::BoxIcon::Warning);
}

}  // namespace forms
