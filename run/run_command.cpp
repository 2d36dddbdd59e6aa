#include "run/run_command.h"

#include <cfloat>
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
#include "run/box_note.h"
#include "run/exact_text.h"
#include "run/messages.h"
#include "run/value_text.h"
#include "run/wrap.h"

namespace run {

namespace {

// The box's name as the user sees it: its row's label.
Text name_of(const RunView& view, Box box) { return trimmed(view.name(box)); }

Box box_of(engine::Argument argument)
{
    switch (argument) {
    case engine::Argument::statistic: return Box::Value;
    case engine::Argument::degrees: return Box::Numerator;
    case engine::Argument::denominator_degrees: break;
    case engine::Argument::probability: break;  // no box of the main window
    case engine::Argument::noncentrality: break;
    // The power window's laws: no box of the main window either.
    case engine::Argument::sample_size:
    case engine::Argument::correlation:
    case engine::Argument::trials:
    case engine::Argument::proportion: break;
    }
    return Box::Denominator;
}

// A box holding a number beyond a double: refused, naming the box.
struct BeyondADouble {
    Box box;
    bool negative;
};

// Reads a box as the parse does, and says so where its text was not read in
// full: a decimal comma in it (2,5 is read as 2), letters after the number,
// or no number at all (read as 0).
double read(const RunView& view, Box box, std::vector<Text>& notes)
{
    const Text text = view.text(box);
    const platform::Reading r = platform::read_number(text);
    if (r.too_large) {
        const size_t sign = text.find_first_not_of(u" \t");
        throw BeyondADouble{box, sign != Text::npos && text[sign] == u'-'};
    }
    const Text name = name_of(view, box);
    const char16_t sep = view.decimal_separator();
    const Text rest = trimmed(text.substr(r.end));
    const bool degrees = box != Box::Value;
    if (trimmed(text).empty()) {
        notes.push_back(name + u" was empty: read as 0.");
    } else if (!rest.empty() || !r.number) {
        const bool comma = rest.size() > 1 && rest[0] == u',' && rest[1] >= u'0' && rest[1] <= u'9';
        Text why = comma ? (degrees ? u"a degree of freedom takes a point" : u"a value takes a point")
                 : r.number ? u"\"" + quoted(rest) + u"\" was ignored"
                            : Text(u"it holds no number");
        notes.push_back(read_note(name, text, r.value, why, sep));
    }
    return r.value;
}

// Twice the smaller tail, so that no shown probability exceeds 1.
double doubled_tail(double C) { return C >= 0.5 ? 2 * (1 - C) : 2 * C; }

// The exact areas a branch computed, by what they measure.
struct Areas {
    engine::Probability of[area_count]{};
    engine::Probability& operator[](Area a) { return of[int(a)]; }
};

// A probability's complement where it is the larger one, at least 1/2.
engine::Probability complement(const engine::Probability& p)
{
    return {1 - p.value, static_cast<double>(std::log1p(-static_cast<long double>(p.value)))};
}

// The line's texts and the exact values beside them, then the report, each
// field named as its distribution names it.
class Builder {
public:
    Builder(const RunView& view, const Distribution& d, std::vector<Text> notes, double statistic, double nu1 = 0,
            double nu2 = 0)
        : view_(view), d_(d)
    {
        outcome_.question = {&d, statistic, nu1, nu2};
        outcome_.notes = std::move(notes);
    }

    char16_t separator() const { return view_.decimal_separator(); }

    // The next field of the line: its four decimals and what it measures.
    void field(const Text& four)
    {
        const size_t k = outcome_.fields.size();
        const Distribution::Field& f = d_.fields.at(k);
        outcome_.fields.push_back({f.name, four, exact_text(areas_[f.area], separator()), f.area});
        if (k == d_.p_field) outcome_.p = areas_[f.area];
    }

    Areas& areas() { return areas_; }

    Outcome done(Text line)
    {
        outcome_.kind = Outcome::Kind::result;
        outcome_.line = std::move(line);
        const Question& q = outcome_.question;
        const char16_t sep = separator();
        for (const Distribution::Tail& t : d_.tails)
            outcome_.tails.push_back({t.name, t.area, areas_[t.area], exact_text(areas_[t.area], sep)});

        // The question in the usual notation, with the degrees and the
        // statistic as read; "; " between degrees that may hold a comma.
        Text symbol = d_.symbol;
        Text degrees;
        if (d_.degrees() > 0) degrees = short_number(q.nu1, sep);
        if (d_.degrees() > 1) degrees += (sep == u',' ? u"; " : u", ") + short_number(q.nu2, sep);
        outcome_.asked = symbol + (degrees.empty() ? Text() : u"(" + degrees + u")") + u" = " +
                         short_number(q.statistic, sep);

        Text& r = outcome_.report;
        r = u"Varendo: " + d_.name + u"\n";
        const Box boxes[] = {Box::Value, Box::Numerator, Box::Denominator};
        for (int k = 0; k <= d_.degrees(); ++k) r += name_of(view_, boxes[k]) + u": " + view_.text(boxes[k]) + u"\n";
        for (const Text& note : outcome_.notes) r += note + u"\n";
        r += u"question: " + outcome_.asked + u"\n";
        for (const Field& f : outcome_.fields) r += f.name + u": P = " + f.four + u", exact " + f.exact + u"\n";
        // The strip's values that no field of the line gives.
        for (const TailValue& t : outcome_.tails) {
            bool in_line = false;
            for (const Field& f : outcome_.fields) in_line = in_line || f.area == t.area;
            if (!in_line) r += t.name + u": exact " + t.exact + u"\n";
        }
        // A paper's line: the statistic with its degrees, and the p-value.
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
    Areas areas_;
    Outcome outcome_;
};

Outcome chi_square_branch(const RunView& view, const Distribution& d)
{
    std::vector<Text> notes;
    const double x = read(view, Box::Value, notes);
    const double nu = read(view, Box::Numerator, notes);

    const double P = engine::chi_square(x, nu).P;
    const engine::Tails exact = engine::chi_square_tails(x, nu);

    Builder b(view, d, std::move(notes), x, nu);
    b.areas()[Area::lower] = exact.lower;
    b.areas()[Area::upper] = exact.upper;
    Text text1 = value_text(P, b.separator());
    repair_comma(text1);
    b.field(text1);
    return b.done(u"  P = " + text1);
}

// The normal routine's z^2 overflows beyond about 1.3e154, where its areas
// have long reached their limits: 0.5 between 0 and |z|, and so on.
double normal_area_or_limit(double z)
{
    try {
        return engine::normal_area(z).u;
    } catch (const numeric::Fault& fault) {
        if (fault.kind() != numeric::FaultKind::Overflow || !std::isfinite(z)) throw;
        return 0.5;
    }
}

Outcome normal_branch(const RunView& view, const Distribution& d)
{
    std::vector<Text> notes;
    const double z = read(view, Box::Value, notes);

    const double u = normal_area_or_limit(z);
    const engine::NormalTails exact = engine::normal_tails(z);

    Builder b(view, d, std::move(notes), z);
    Areas& a = b.areas();
    a[Area::centre] = exact.centre;
    a[Area::within] = exact.within;
    a[Area::beyond] = exact.one_tail;
    a[Area::both] = exact.both_tails;
    // The tail beyond |z| is the lower one left of 0, the upper one right of it.
    a[Area::lower] = z <= 0 ? exact.one_tail : complement(exact.one_tail);
    a[Area::upper] = z >= 0 ? exact.one_tail : complement(exact.one_tail);
    const char16_t sep = b.separator();
    Text text1 = value_text(u, sep);
    Text text2 = value_text(2 * u, sep);
    Text text3 = value_text(0.5 - u, sep);
    Text text4 = value_text(1 - 2 * u, sep);
    repair_pair(text1, text2);
    repair_pair(text3, text4);
    b.field(text1);
    b.field(text2);
    b.field(text3);
    b.field(text4);
    return b.done(u"  P = " + text1 + u"   P = " + text2 + u"   P = " + text3 + u"   P = " + text4);
}

Outcome t_branch(const RunView& view, const Distribution& d)
{
    std::vector<Text> notes;
    const double t = read(view, Box::Value, notes);
    const double nu = read(view, Box::Numerator, notes);

    const double C = engine::t_distribution(t, nu).C;
    const engine::TTails exact = engine::t_tails(t, nu);

    Builder b(view, d, std::move(notes), t, nu);
    b.areas()[Area::lower] = exact.lower;
    b.areas()[Area::upper] = exact.upper;
    b.areas()[Area::both] = exact.both_tails;
    Text text1 = value_text(1 - C, b.separator());
    Text text2 = value_text(doubled_tail(C), b.separator());
    repair_pair(text1, text2);
    b.field(text1);
    b.field(text2);
    return b.done(u"   P = " + text1 + u"       P = " + text2);
}

Outcome f_branch(const RunView& view, const Distribution& d)
{
    std::vector<Text> notes;
    const double F = read(view, Box::Value, notes);
    const double nu1 = read(view, Box::Numerator, notes);
    const double nu2 = read(view, Box::Denominator, notes);

    const double C = engine::f_distribution(F, nu1, nu2).C;
    const engine::FTails exact = engine::f_tails(F, nu1, nu2);

    Builder b(view, d, std::move(notes), F, nu1, nu2);
    b.areas()[Area::lower] = exact.lower;
    b.areas()[Area::upper] = exact.upper;
    b.areas()[Area::doubled] = exact.doubled;
    Text text1 = value_text(1 - C, b.separator());
    Text text2 = value_text(doubled_tail(C), b.separator());
    repair_pair(text1, text2);
    b.field(text1);
    b.field(text2);
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

// What a box beyond a double is told: what that box accepts.
Text beyond_message(const RunView& view, const BeyondADouble& beyond)
{
    const Text name = name_of(view, beyond.box);
    if (beyond.box != Box::Value) {
        const engine::DomainRule rule = beyond.negative ? engine::DomainRule::positive : engine::DomainRule::at_most;
        return domain_message(engine::DomainError(engine::Argument::degrees, rule, engine::largest_degrees), name);
    }
    const Text largest = platform::significant(DBL_MAX, 6, true, view.decimal_separator());
    for (const DistributionId id : all_distributions) {
        const Distribution& d = describe(id);
        if (view.caption() != d.caption || !d.from_zero) continue;
        if (beyond.negative) return domain_message(engine::DomainError(engine::Argument::statistic,
                                                                       engine::DomainRule::not_negative), name);
        return name + u" is too large: the largest accepted value is " + largest + u".";
    }
    return name + u" is too large: the accepted values lie between -" + largest + u" and " + largest + u".";
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
    } catch (const BeyondADouble& beyond) {
        return message(beyond_message(view, beyond));
    } catch (const std::exception& error) {
        return message(platform::something_went_wrong(error));
    }
}

Text exact_lines(const Outcome& outcome)
{
    Text lines;
    for (const TailValue& t : outcome.tails) {
        if (!lines.empty()) lines += u'\n';
        Text name = t.name;
        while (name.size() < 12) name += u' ';
        lines += name + t.exact;
    }
    return lines;
}

Text note_lines(const Outcome& outcome, size_t columns)
{
    Text lines;
    for (const Text& note : outcome.notes) {
        if (!lines.empty()) lines += u'\n';
        lines += wrapped(note, columns);
    }
    return lines;
}

}  // namespace run
