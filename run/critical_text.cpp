#include "run/critical_text.h"

#include <cfloat>
#include <charconv>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
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
Text six_digits(double value, char16_t separator)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%#.6g", value);
    Text out;
    for (const char* c = buffer; *c; ++c) out += *c == '.' ? separator : char16_t(*c);
    return out;
}

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

// The box's leading number, a point its decimal separator, in e-notation too
// ("1e-10"), as a level is written; 0 for none, or for one beyond a double.
double level(const Text& text)
{
    std::string ascii;
    size_t at = 0;
    while (at < text.size() && text[at] == u' ') ++at;
    if (at < text.size() && text[at] == u'+') ++at;
    for (; at < text.size() && text[at] < 0x80; ++at) ascii += char(text[at]);
    double value = 0;
    const auto [end, error] = platform::read_double(ascii.data(), ascii.data() + ascii.size(), value);
    return error == std::errc() ? value : 0;
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
