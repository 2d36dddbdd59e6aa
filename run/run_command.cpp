#include "run/run_command.h"

#include <exception>

#include "engine/chi_square.h"
#include "engine/domain.h"
#include "engine/f_distribution.h"
#include "engine/normal_areas.h"
#include "engine/t_distribution.h"
#include "platform/guard.h"
#include "platform/number_text.h"
#include "run/captions.h"
#include "run/messages.h"
#include "run/value_text.h"

namespace run {

namespace {

double read(const RunView& view, Box box) { return platform::parse(view.text(box)); }

// The box's name as the user sees it: its row's label.
Text name_of(const RunView& view, Box box)
{
    Text name = view.name(box);
    while (!name.empty() && name.back() == u' ') name.pop_back();
    while (!name.empty() && name.front() == u' ') name.erase(0, 1);
    return name;
}

Box box_of(engine::Argument argument)
{
    switch (argument) {
    case engine::Argument::statistic: return Box::Value;
    case engine::Argument::degrees: return Box::Numerator;
    case engine::Argument::denominator_degrees: break;
    }
    return Box::Denominator;
}

// Twice the smaller tail, so that no shown probability exceeds 1.
double doubled_tail(double C) { return C >= 0.5 ? 2 * (1 - C) : 2 * C; }

void chi_square_branch(RunView& view)
{
    const double x = read(view, Box::Value);
    const double nu = read(view, Box::Numerator);

    const double P = engine::chi_square(x, nu).P;
    view.swap_windows();

    Text text1 = value_text(P, view.decimal_separator());
    repair_comma(text1);
    view.show_line(u"  P = " + text1);
}

void normal_branch(RunView& view)
{
    const double z = read(view, Box::Value);

    const double u = engine::normal_area(z).u;
    view.swap_windows();

    Text text1 = value_text(u, view.decimal_separator());
    Text text2 = value_text(2 * u, view.decimal_separator());
    Text text3 = value_text(0.5 - u, view.decimal_separator());
    Text text4 = value_text(1 - 2 * u, view.decimal_separator());
    repair_pair(text1, text2);
    repair_pair(text3, text4);
    view.show_line(u"  P = " + text1 + u"   P = " + text2 + u"   P = " + text3 + u"   P = " + text4);
}

void t_branch(RunView& view)
{
    const double t = read(view, Box::Value);
    const double nu = read(view, Box::Numerator);

    const double C = engine::t_distribution(t, nu).C;
    view.swap_windows();

    Text text1 = value_text(1 - C, view.decimal_separator());
    Text text2 = value_text(doubled_tail(C), view.decimal_separator());
    repair_pair(text1, text2);
    view.show_line(u"   P = " + text1 + u"       P = " + text2);
}

void f_branch(RunView& view)
{
    const double F = read(view, Box::Value);
    const double nu1 = read(view, Box::Numerator);
    const double nu2 = read(view, Box::Denominator);

    const double C = engine::f_distribution(F, nu1, nu2).C;
    view.swap_windows();

    Text text1 = value_text(1 - C, view.decimal_separator());
    Text text2 = value_text(doubled_tail(C), view.decimal_separator());
    repair_pair(text1, text2);
    view.show_line(u"  P = " + text1 + u"        P = " + text2);
}

}  // namespace

void run_command(RunView& view)
{
    // Every fault and domain error arises before the window swap, so the main
    // window is still on screen for the message and the next try.
    Text trouble;
    try {
        if (view.caption() == captions::chi_square) chi_square_branch(view);
        if (view.caption() == captions::normal) normal_branch(view);
        if (view.caption() == captions::t) t_branch(view);
        if (view.caption() == captions::f) f_branch(view);
        return;
    } catch (const engine::DomainError& error) {
        trouble = domain_message(error, name_of(view, box_of(error.argument)));
    } catch (const numeric::Fault& fault) {
        trouble = fault_message(fault.kind());
    } catch (const platform::NumberTooLarge&) {
        trouble = fault_message(numeric::FaultKind::Overflow);
    } catch (const std::exception& error) {
        trouble = platform::something_went_wrong(error);
    }
    view.show_message(trouble);
}

}  // namespace run
