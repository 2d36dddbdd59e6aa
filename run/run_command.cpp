#include "run/run_command.h"

#include <exception>

#include "engine/chi_square_upper.h"
#include "engine/f_probability.h"
#include "engine/normal_areas.h"
#include "engine/student_t.h"
#include "platform/number_text.h"
#include "run/captions.h"
#include "run/input_checks.h"
#include "run/limits.h"
#include "run/value_text.h"

namespace run {

namespace {

double read(const RunView& view, Box box) { return platform::parse(view.text(box)); }

// The box's name as the user sees it: its row's label.
QString name_of(const RunView& view, Box box) { return view.name(box).trimmed(); }

// Twice the smaller tail, so that no shown probability exceeds 1.
double doubled_tail(double C) { return C >= 0.5 ? 2 * (1 - C) : 2 * C; }

void chi_square_branch(RunView& view)
{
    const double x = read(view, Box::Value);
    const double nu = read(view, Box::Numerator);
    require_not_negative(x, name_of(view, Box::Value));
    require_at_most(x, name_of(view, Box::Value), limits::chi_square_value);
    require_degrees(nu, name_of(view, Box::Numerator), limits::chi_square_degrees);

    const double P = engine::chi_square_upper(x, nu).P;
    view.swap_windows();

    QString text1 = value_text(P);
    repair_comma(text1);
    view.show_line(QStringLiteral("  P = ") + text1);
}

void normal_branch(RunView& view)
{
    const double z = read(view, Box::Value);

    const double u = engine::normal_area(z).u;
    view.swap_windows();

    QString text1 = value_text(u);
    QString text2 = value_text(2 * u);
    QString text3 = value_text(0.5 - u);
    QString text4 = value_text(1 - 2 * u);
    repair_pair(text1, text2);
    repair_pair(text3, text4);
    view.show_line(QStringLiteral("  P = ") + text1 + QStringLiteral("   P = ") + text2 +
                   QStringLiteral("   P = ") + text3 + QStringLiteral("   P = ") + text4);
}

void t_branch(RunView& view)
{
    const double t = read(view, Box::Value);
    const double nu = read(view, Box::Numerator);
    require_degrees(nu, name_of(view, Box::Numerator), limits::t_degrees);

    const double C = engine::student_t(t, nu).C;
    view.swap_windows();

    QString text1 = value_text(1 - C);
    QString text2 = value_text(doubled_tail(C));
    repair_pair(text1, text2);
    view.show_line(QStringLiteral("   P = ") + text1 + QStringLiteral("       P = ") + text2);
}

void f_branch(RunView& view)
{
    const double F = read(view, Box::Value);
    const double nu1 = read(view, Box::Numerator);
    const double nu2 = read(view, Box::Denominator);
    require_positive(F, name_of(view, Box::Value));
    require_degrees(nu1, name_of(view, Box::Numerator), limits::f_degrees);
    require_degrees(nu2, name_of(view, Box::Denominator), limits::f_degrees);

    const double C = engine::f_probability(F, nu1, nu2).C;
    view.swap_windows();

    QString text1 = value_text(1 - C);
    QString text2 = value_text(doubled_tail(C));
    repair_pair(text1, text2);
    view.show_line(QStringLiteral("  P = ") + text1 + QStringLiteral("        P = ") + text2);
}

}  // namespace

void run_command(RunView& view)
{
    // Every fault and refusal arises before the window swap, so the main
    // window is still on screen for the message and the next try.
    QString trouble;
    try {
        if (view.caption() == captions::chi_square) chi_square_branch(view);
        if (view.caption() == captions::normal) normal_branch(view);
        if (view.caption() == captions::t) t_branch(view);
        if (view.caption() == captions::f) f_branch(view);
        return;
    } catch (const Refusal& refusal) {
        trouble = refusal.message;
    } catch (const platform::Fault& fault) {
        trouble = fault_message(fault.kind());
    } catch (const std::exception& error) {
        trouble = QStringLiteral("Something went wrong: %1").arg(QString::fromUtf8(error.what()));
    }
    view.show_message(trouble);
}

}  // namespace run
