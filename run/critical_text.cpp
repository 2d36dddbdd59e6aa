#include "run/critical_text.h"

#include <cfloat>
#include <exception>
#include <cmath>

#include "engine/numeric/fault.h"
#include "platform/number_text.h"

namespace run {

namespace {

const Text not_a_level = u"\u03B1 must be between 0 and 1";

// Six significant digits, trailing zeros kept: a table's "2.10982", "13.2767".
Text six_digits(double value, char16_t separator) { return platform::significant(value, 6, true, separator); }

}  // namespace

CriticalValue critical_value(const Question& q, double level, char16_t separator)
{
    if (!q.distribution) return {NAN, u"cannot be computed"};
    return critical_value([&] { return q.distribution->upper_quantile(level, q.nu1, q.nu2); }, separator);
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
    double alpha = 0;
    try {
        alpha = platform::parse(text);
    } catch (const platform::NumberTooLarge&) {
    }
    return alpha > 0 && alpha < 1 ? alpha : 0;
}

Text critical_text(const Question& q, const Text& alpha_text, char16_t separator)
{
    const double alpha = alpha_of(alpha_text);
    if (alpha == 0) return not_a_level;
    if (!q.distribution) return {};

    using Critical = Distribution::Field::Critical;
    const Distribution& d = *q.distribution;
    Text line;
    for (const Distribution::Field& field : d.fields) {
        if (field.critical == Critical::none) continue;
        const double at = field.critical == Critical::at_half_alpha ? alpha / 2 : alpha;
        if (!line.empty()) line += u"  ";
        line += field.name + u" " + critical_value(q, at, separator).text;
    }
    return line;
}

Text critical_report(const Question& q, const Text& alpha_text, char16_t separator)
{
    return u"critical values at \u03B1 = " + alpha_text + u": " + critical_text(q, alpha_text, separator) + u"\n";
}

}  // namespace run
