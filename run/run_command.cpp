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
#include "run/captions.h"
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

// The line's texts and the exact values beside them, then the report.
class Builder {
public:
    Builder(const RunView& view, Text distribution) : view_(view), distribution_(std::move(distribution)) {}

    char16_t separator() const { return view_.decimal_separator(); }
    void field(const Text& name, const Text& four, const engine::Probability& exact)
    {
        outcome_.fields.push_back({name, four, exact_text(exact, separator())});
    }
    void inputs(std::initializer_list<Box> boxes) { boxes_ = boxes; }
    void question(Question::Distribution d, double nu1 = 0, double nu2 = 0) { outcome_.question = {d, nu1, nu2}; }

    Outcome done(Text line, const Text& paper)
    {
        outcome_.kind = Outcome::Kind::result;
        outcome_.line = std::move(line);
        Text& r = outcome_.report;
        r = u"Varendo: " + distribution_ + u"\n";
        for (Box box : boxes_) r += name_of(view_, box) + u": " + view_.text(box) + u"\n";
        for (const Field& f : outcome_.fields) r += f.name + u": P = " + f.four + u", exact " + f.exact + u"\n";
        r += paper + u"\n";
        return std::move(outcome_);
    }

private:
    const RunView& view_;
    Text distribution_;
    std::vector<Box> boxes_;
    Outcome outcome_;
};

Outcome chi_square_branch(const RunView& view)
{
    const double x = read(view, Box::Value);
    const double nu = read(view, Box::Numerator);

    const double P = engine::chi_square(x, nu).P;
    const engine::Tails exact = engine::chi_square_tails(x, nu);

    Builder b(view, u"chi-square");
    const char16_t sep = b.separator();
    Text text1 = value_text(P, sep);
    repair_comma(text1);
    b.inputs({Box::Value, Box::Numerator});
    b.question(Question::Distribution::chi_square, nu);
    b.field(u"upper tail", text1, exact.upper);
    return b.done(u"  P = " + text1, u"\u03C7\u00B2(" + short_number(nu, sep) + u") = " + two_decimals(x, sep) +
                                         u", p " + apa_p(exact.upper.value, sep));
}

Outcome normal_branch(const RunView& view)
{
    const double z = read(view, Box::Value);

    const double u = engine::normal_area(z).u;
    const engine::NormalTails exact = engine::normal_tails(z);

    Builder b(view, u"standard normal");
    const char16_t sep = b.separator();
    Text text1 = value_text(u, sep);
    Text text2 = value_text(2 * u, sep);
    Text text3 = value_text(0.5 - u, sep);
    Text text4 = value_text(1 - 2 * u, sep);
    repair_pair(text1, text2);
    repair_pair(text3, text4);
    b.inputs({Box::Value});
    b.question(Question::Distribution::normal);
    b.field(u"0 to |z|", text1, exact.centre);
    b.field(u"-|z| to |z|", text2, exact.within);
    b.field(u"one tail", text3, exact.one_tail);
    b.field(u"both tails", text4, exact.both_tails);
    return b.done(u"  P = " + text1 + u"   P = " + text2 + u"   P = " + text3 + u"   P = " + text4,
                  u"z = " + two_decimals(z, sep) + u", p " + apa_p(exact.both_tails.value, sep));
}

Outcome t_branch(const RunView& view)
{
    const double t = read(view, Box::Value);
    const double nu = read(view, Box::Numerator);

    const double C = engine::t_distribution(t, nu).C;
    const engine::TTails exact = engine::t_tails(t, nu);

    Builder b(view, u"Student t");
    const char16_t sep = b.separator();
    Text text1 = value_text(1 - C, sep);
    Text text2 = value_text(doubled_tail(C), sep);
    repair_pair(text1, text2);
    b.inputs({Box::Value, Box::Numerator});
    b.question(Question::Distribution::t, nu);
    b.field(u"one tail", text1, exact.upper);
    b.field(u"both tails", text2, exact.both_tails);
    return b.done(u"   P = " + text1 + u"       P = " + text2, u"t(" + short_number(nu, sep) + u") = " +
                                                                   two_decimals(t, sep) + u", p " +
                                                                   apa_p(exact.both_tails.value, sep));
}

Outcome f_branch(const RunView& view)
{
    const double F = read(view, Box::Value);
    const double nu1 = read(view, Box::Numerator);
    const double nu2 = read(view, Box::Denominator);

    const double C = engine::f_distribution(F, nu1, nu2).C;
    const engine::FTails exact = engine::f_tails(F, nu1, nu2);

    Builder b(view, u"F");
    const char16_t sep = b.separator();
    Text text1 = value_text(1 - C, sep);
    Text text2 = value_text(doubled_tail(C), sep);
    repair_pair(text1, text2);
    b.inputs({Box::Value, Box::Numerator, Box::Denominator});
    b.question(Question::Distribution::f, nu1, nu2);
    b.field(u"upper tail", text1, exact.upper);
    b.field(u"doubled", text2, exact.doubled);
    return b.done(u"  P = " + text1 + u"        P = " + text2,
                  u"F(" + short_number(nu1, sep) + u", " + short_number(nu2, sep) + u") = " + two_decimals(F, sep) +
                      u", p " + apa_p(exact.upper.value, sep));
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
        if (view.caption() == captions::chi_square) return chi_square_branch(view);
        if (view.caption() == captions::normal) return normal_branch(view);
        if (view.caption() == captions::t) return t_branch(view);
        if (view.caption() == captions::f) return f_branch(view);
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
