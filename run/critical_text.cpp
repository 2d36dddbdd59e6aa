#include "run/critical_text.h"

#include <cfloat>
#include <cmath>
#include <exception>

#include "engine/numeric/fault.h"
#include "platform/number_text.h"
#include "run/exact_text.h"

namespace run {

namespace {

const Text not_a_level = u"\u03B1 must be between 0 and 1";

// Six significant digits, trailing zeros kept: a table's "2.10982", "13.2767".
Text six_digits(double value, char16_t separator) { return platform::significant(value, 6, true, separator); }

// One tail's critical value as the strip writes it. A symmetric law's lower
// value is the upper one's mirror, both tails' the pair of them; a bound
// turns with its value.
Text tail_critical(const Question& q, Area area, double alpha, char16_t separator)
{
    const Distribution& d = *q.distribution;
    const double level = Distribution::level(area, alpha);
    const bool mirrored = area == Area::lower && !d.from_zero;
    const CriticalValue c = area == Area::lower && d.from_zero
                                ? critical_value([&] { return d.law(q.nu1, q.nu2).lower_quantile(level); }, separator)
                                : critical_value(q, level, separator);
    const bool beyond = c.text[0] == u'>', within = c.text[0] == u'<';
    const Text magnitude = beyond || within ? c.text.substr(2) : c.text;
    if (area == Area::both) {
        if (beyond) return u"beyond \u00B1" + magnitude;
        if (within) return u"within \u00B1" + magnitude;
        return std::isnan(c.value) ? c.text : u"\u00B1" + magnitude;
    }
    if (!mirrored) return c.text;
    if (beyond) return u"< -" + magnitude;
    if (within) return u"> -" + magnitude;
    return std::isnan(c.value) ? c.text : six_digits(-c.value, separator);
}

// Each tail of the strip that has a critical value, with its value.
std::vector<Text> criticals(const Question& q, double alpha, char16_t separator)
{
    std::vector<Text> entries;
    for (const Distribution::Tail& t : q.distribution->tails) {
        if (t.area != Area::lower && t.area != Area::upper && t.area != Area::both && t.area != Area::doubled) continue;
        entries.push_back(t.name + u" " + tail_critical(q, t.area, alpha, separator));
    }
    return entries;
}

}  // namespace

CriticalValue critical_value(const Question& q, double level, char16_t separator)
{
    if (!q.distribution) return {NAN, u"cannot be computed"};
    return critical_value([&] { return q.distribution->law(q.nu1, q.nu2).upper_quantile(level); }, separator);
}

// A value beyond a double's range is said as a bound of it.
CriticalValue critical_value(const std::function<double()>& quantile, char16_t separator)
{
    try {
        const double value = quantile();
        return {value, six_digits(value, separator)};
    } catch (const numeric::Fault& fault) {
        if (fault.kind() == numeric::FaultKind::Overflow) return {NAN, u"> " + six_digits(DBL_MAX, separator)};
        if (fault.kind() == numeric::FaultKind::Underflow) return {NAN, u"< " + six_digits(DBL_TRUE_MIN, separator)};
    } catch (const std::exception&) {
    }
    return {NAN, u"cannot be computed"};
}

double alpha_of(const Text& text)
{
    const platform::Reading r = platform::read_number(text, true);
    if (!r.number || r.too_large) return 0;
    return r.value > 0 && r.value < 1 ? r.value : 0;
}

Text critical_text(const Question& q, const Text& alpha_text, char16_t separator)
{
    const double alpha = alpha_of(alpha_text);
    if (alpha == 0) return not_a_level;
    if (!q.distribution) return {};
    Text lines;
    for (const Text& entry : criticals(q, alpha, separator)) lines += (lines.empty() ? u"" : u"\n") + entry;
    return lines;
}

Text critical_report(const Question& q, const Text& alpha_text, char16_t separator)
{
    const double alpha = alpha_of(alpha_text);
    Text line = u"critical values at \u03B1 = " + alpha_text + u": ";
    if (alpha == 0 || !q.distribution) return line + critical_text(q, alpha_text, separator) + u"\n";
    const std::vector<Text> entries = criticals(q, alpha, separator);
    for (size_t k = 0; k < entries.size(); ++k) line += (k ? u"  " : u"") + entries[k];
    return line + u"\n";
}

Text p_equals(const Text& exact)
{
    if (!exact.empty() && (exact[0] == u'<' || exact[0] == u'>')) return u"p " + exact;
    return u"p = " + exact;
}

Text verdict_text(const Outcome& outcome, const Text& alpha_text, char16_t separator)
{
    const double alpha = alpha_of(alpha_text);
    if (alpha == 0 || outcome.kind != Outcome::Kind::result) return {};
    const engine::Probability& p = outcome.p;
    // Below the normal doubles the logarithm holds the digits.
    const bool below = p.value >= DBL_MIN ? p.value < alpha : p.log < std::log(alpha);
    const size_t k = outcome.question.distribution ? outcome.question.distribution->p_field : 0;
    const Text exact = k < outcome.fields.size() ? outcome.fields[k].exact : Text();
    return p_equals(exact) + (below ? u" < " : u" \u2265 ") + u"\u03B1 = " + short_number(alpha, separator) +
           (below ? u": significant at this level" : u": not significant at this level");
}

}  // namespace run
