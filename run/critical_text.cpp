#include "run/critical_text.h"

#include <cfloat>
#include <exception>
#include <functional>
#include <vector>

#include "engine/chi_square_quantile.h"
#include "engine/f_quantile.h"
#include "engine/normal_quantile.h"
#include "engine/numeric/fault.h"
#include "engine/t_quantile.h"
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

// The box's number, read as every box reads it ("1e-10" too); 0 for none,
// or for one beyond a double.
double level(const Text& text)
{
    try {
        return platform::parse(text);
    } catch (const platform::NumberTooLarge&) {
        return 0;
    }
}

}  // namespace

Text critical_text(const Question& q, const Text& alpha_text, char16_t separator)
{
    const double alpha = level(alpha_text);
    if (!(alpha > 0 && alpha < 1)) return not_a_level;

    using D = Question::Distribution;
    std::vector<std::pair<Text, std::function<double()>>> tails;
    switch (q.distribution) {
    case D::chi_square:
        tails = {{u"upper tail", [&] { return engine::chi_square_upper_quantile(alpha, q.nu1); }}};
        break;
    case D::normal:
        tails = {{u"one tail", [&] { return engine::normal_upper_quantile(alpha); }},
                 {u"both tails", [&] { return engine::normal_upper_quantile(alpha / 2); }}};
        break;
    case D::t:
        tails = {{u"one tail", [&] { return engine::t_upper_quantile(alpha, q.nu1); }},
                 {u"both tails", [&] { return engine::t_upper_quantile(alpha / 2, q.nu1); }}};
        break;
    case D::f:
        tails = {{u"upper tail", [&] { return engine::f_upper_quantile(alpha, q.nu1, q.nu2); }},
                 {u"doubled", [&] { return engine::f_upper_quantile(alpha / 2, q.nu1, q.nu2); }}};
        break;
    }
    Text line;
    for (const auto& [name, quantile] : tails) {
        if (!line.empty()) line += u"  ";
        line += name + u" " + quantile_text(quantile, separator);
    }
    return line;
}

Text critical_report(const Question& q, const Text& alpha_text, char16_t separator)
{
    return u"critical values at \u03B1 = " + alpha_text + u": " + critical_text(q, alpha_text, separator) + u"\n";
}

}  // namespace run
