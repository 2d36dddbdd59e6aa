#include "run/run_command.h"

#include <cmath>
#include <exception>

#include "engine/chi_square.h"
#include "engine/chi_square_tails.h"
#include "engine/domain.h"
#include "engine/f_distribution.h"
#include "engine/f_tails.h"
#include "engine/normal_areas.h"
#include "engine/normal_tails.h"
#include "engine/t_distribution.h"
#include "engine/t_tails.h"
#include "platform/guard.h"
#include "platform/number_text.h"
#include "run/exact_text.h"
#include "run/messages.h"
#include "run/value_text.h"

namespace run {

namespace {

double read(const RunView& view, Box box) { return platform::parse(view.text(box)); }

Text trimmed(Text name)
{
    while (!name.empty() && name.back() == u' ') name.pop_back();
    while (!name.empty() && name.front() == u' ') name.erase(0, 1);
    return name;
}

// The box's name as the user sees it: its row's label.
Text name_of(const RunView& view, Box box) { return trimmed(view.name(box)); }

Box box_of(engine::Argument argument)
{
    switch (argument) {
    case engine::Argument::statistic: return Box::Value;
    case engine::Argument::degrees: return Box::Numerator;
    case engine::Argument::denominator_degrees: break;
    case engine::Argument::probability: break;  // no box of the main window
    }
    return Box::Denominator;
}

// Twice the smaller tail, so that no shown probability exceeds 1.
double doubled_tail(double C) { return C >= 0.5 ? 2 * (1 - C) : 2 * C; }

// The line's texts and the exact values beside them, then the report, each
// field named as its distribution names it.
class Builder {
public:
    Builder(const RunView& view, const Distribution& d, double statistic, double nu1 = 0, double nu2 = 0)
        : view_(view), d_(d)
    {
        outcome_.question = {&d, statistic, nu1, nu2};
    }

    char16_t separator() const { return view_.decimal_separator(); }

    // The next field of the line: its four decimals and its exact value.
    void field(const Text& four, const engine::Probability& exact)
    {
        const size_t k = outcome_.fields.size();
        outcome_.fields.push_back({d_.fields.at(k).name, four, exact_text(exact, separator())});
        if (k == d_.p_field) outcome_.p = exact;
    }

    Outcome done(Text line)
    {
        outcome_.kind = Outcome::Kind::result;
        outcome_.line = std::move(line);
        const Question& q = outcome_.question;
        const char16_t sep = separator();
        Text& r = outcome_.report;
        r = u"Varendo: " + d_.name + u"\n";
        const Box boxes[] = {Box::Value, Box::Numerator, Box::Denominator};
        for (int k = 0; k <= d_.degrees(); ++k) r += name_of(view_, boxes[k]) + u": " + view_.text(boxes[k]) + u"\n";
        for (const Field& f : outcome_.fields) r += f.name + u": P = " + f.four + u", exact " + f.exact + u"\n";
        // A paper's line: the statistic with its degrees, and the p-value.
        Text symbol = d_.symbol;
        if (d_.degrees() > 0) {
            symbol += u"(" + short_number(q.nu1, sep);
            if (d_.degrees() > 1) symbol += u", " + short_number(q.nu2, sep);
            symbol += u")";
        }
        r += symbol + u" = " + two_decimals(q.statistic, sep) + u", p " + apa_p(outcome_.p.value, sep) + u"\n";
        return std::move(outcome_);
    }

private:
    const RunView& view_;
    const Distribution& d_;
    Outcome outcome_;
};

Outcome chi_square_branch(const RunView& view, const Distribution& d)
{
    const double x = read(view, Box::Value);
    const double nu = read(view, Box::Numerator);

    const double P = engine::chi_square(x, nu).P;
    const engine::Tails exact = engine::chi_square_tails(x, nu);

    Builder b(view, d, x, nu);
    Text text1 = value_text(P, b.separator());
    repair_comma(text1);
    b.field(text1, exact.upper);
    return b.done(u"  P = " + text1);
}

Outcome normal_branch(const RunView& view, const Distribution& d)
{
    const double z = read(view, Box::Value);

    const double u = engine::normal_area(z).u;
    const engine::NormalTails exact = engine::normal_tails(z);

    Builder b(view, d, z);
    const char16_t sep = b.separator();
    Text text1 = value_text(u, sep);
    Text text2 = value_text(2 * u, sep);
    Text text3 = value_text(0.5 - u, sep);
    Text text4 = value_text(1 - 2 * u, sep);
    repair_pair(text1, text2);
    repair_pair(text3, text4);
    b.field(text1, exact.centre);
    b.field(text2, exact.within);
    b.field(text3, exact.one_tail);
    b.field(text4, exact.both_tails);
    return b.done(u"  P = " + text1 + u"   P = " + text2 + u"   P = " + text3 + u"   P = " + text4);
}

Outcome t_branch(const RunView& view, const Distribution& d)
{
    const double t = read(view, Box::Value);
    const double nu = read(view, Box::Numerator);

    const double C = engine::t_distribution(t, nu).C;
    const engine::TTails exact = engine::t_tails(t, nu);

    Builder b(view, d, t, nu);
    Text text1 = value_text(1 - C, b.separator());
    Text text2 = value_text(doubled_tail(C), b.separator());
    repair_pair(text1, text2);
    b.field(text1, exact.upper);
    b.field(text2, exact.both_tails);
    return b.done(u"   P = " + text1 + u"       P = " + text2);
}

Outcome f_branch(const RunView& view, const Distribution& d)
{
    const double F = read(view, Box::Value);
    const double nu1 = read(view, Box::Numerator);
    const double nu2 = read(view, Box::Denominator);

    const double C = engine::f_distribution(F, nu1, nu2).C;
    const engine::FTails exact = engine::f_tails(F, nu1, nu2);

    Builder b(view, d, F, nu1, nu2);
    Text text1 = value_text(1 - C, b.separator());
    Text text2 = value_text(doubled_tail(C), b.separator());
    repair_pair(text1, text2);
    b.field(text1, exact.upper);
    b.field(text2, exact.doubled);
    return b.done(u"  P = " + text1 + u"        P = " + text2);
}

Outcome branch(const RunView& view, const Distribution& d)
{
    switch (d.id) {
    case DistributionId::chi_square: return chi_square_branch(view, d);
    case DistributionId::normal: return normal_branch(view, d);
    case DistributionId::t: return t_branch(view, d);
    case DistributionId::f: break;
    }
    return f_branch(view, d);
}

Outcome message(Text text)
{
    Outcome o;
    o.kind = Outcome::Kind::message;
    o.message = std::move(text);
    return o;
}

}  // namespace

Outcome run_command(const RunView& view)
{
    try {
        // Four tests of the caption, in order, each reading it afresh.
        for (const DistributionId id : all_distributions) {
            const Distribution& d = describe(id);
            if (view.caption() == d.caption) return branch(view, d);
        }
        return {};
    } catch (const engine::DomainError& error) {
        return message(domain_message(error, name_of(view, box_of(error.argument))));
    } catch (const numeric::Fault& fault) {
        return message(fault_message(fault.kind()));
    } catch (const platform::NumberTooLarge&) {
        return message(fault_message(numeric::FaultKind::Overflow));
    } catch (const std::exception& error) {
        return message(platform::something_went_wrong(error));
    }
}

Text exact_lines(const Outcome& outcome)
{
    Text lines;
    for (const Field& f : outcome.fields) {
        if (!lines.empty()) lines += u'\n';
        Text name = f.name;
        while (name.size() < 12) name += u' ';
        lines += name + f.exact;
    }
    return lines;
}

}  // namespace run
