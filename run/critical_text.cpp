#include "run/critical_text.h"

#include <cfloat>
#include <exception>
#include <functional>

#include "engine/numeric/fault.h"
#include "platform/number_text.h"

namespace run {

namespace {

const Text not_a_level = u"\u03B1 must be between 0 and 1";

// Six significant digits, trailing zeros kept: a table's "2.10982", "13.2767".
Text six_digits(double value, char16_t separator) { return platform::significant(value, 6, true, separator); }

// A value beyond a double's range is said as a bound of it.
Text quantile_text(const std::function<double()>& quantile, char16_t separator)
{
    try {
        return six_digits(quantile(), separator);
    } catch (const numeric::Fault& fault) {
        if (fault.kind() == numeric::FaultKind::Overflow) return u"> " + six_digits(DBL_MAX, separator);
        if (fault.kind() == numeric::FaultKind::Underflow) return u"< " + six_digits(DBL_TRUE_MIN, separator);
    } catch (const std::exception&) {
    }
    return u"cannot be computed";
}

}  // namespace

Text critical_value(const Question& q, double level, char16_t separator)
{
    if (!q.distribution) return u"cannot be computed";
    return quantile_text([&] { return q.distribution->upper_quantile(level, q.nu1, q.nu2); }, separator);
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
        line += field.name + u" " + critical_value(q, at, separator);
    }
    return line;
}

Text critical_report(const Question& q, const Text& alpha_text, char16_t separator)
{
    return u"critical values at \u03B1 = " + alpha_text + u": " + critical_text(q, alpha_text, separator) + u"\n";
}

}  // namespace run
