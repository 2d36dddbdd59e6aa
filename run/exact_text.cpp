#include "run/exact_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "platform/number_text.h"

namespace run {

namespace {

Text with_separator(const Text& text, char16_t separator)
{
    Text out = text;
    for (char16_t& c : out)
        if (c == u'.') c = separator;
    return out;
}

}  // namespace

Text exact_text(const engine::Probability& p, char16_t separator)
{
    if (p.value == 0 && !std::isfinite(p.log)) return u"0";

    if (p.value >= DBL_MIN) {
        // Four significant digits, the form chosen by the rounded value so
        // that one rounding up to the next decade gets its digits right.
        const int exponent = platform::decimal_exponent(p.value, 4);
        if (exponent < -3) return platform::scientific(p.value, 3, separator);
        return platform::fixed(p.value, 3 - exponent, separator);
    }

    // Below the doubles: 10^(log10 p) split into mantissa and exponent.
    const long double ln_10 = 2.30258509299404568401799145468436421L;
    const long double log10_p = static_cast<long double>(p.log) / ln_10;
    if (log10_p < -1e9L) return with_separator(u"< 1e-1000000000", separator);
    long long exponent = static_cast<long long>(std::floor(log10_p));
    long double mantissa = std::pow(10.0L, log10_p - exponent);
    if (std::round(mantissa * 1000) >= 10000) {
        mantissa /= 10;
        exponent += 1;
    }
    const Text power = platform::whole(exponent < 0 ? -exponent : exponent);
    return platform::fixed(static_cast<double>(mantissa), 3, separator) + (exponent < 0 ? u"e-" : u"e+") + power;
}

Text apa_p(double p, char16_t separator)
{
    if (p < 0.001) return with_separator(u"< .001", separator);
    const Text fixed = platform::fixed(p, 3, separator);  // "0.051"
    if (fixed[0] != u'0') return with_separator(u"> .999", separator);
    return u"= " + fixed.substr(1);
}

Text short_number(double value, char16_t separator)
{
    // As few digits as read back, but a whole number's in full: 1000000000,
    // not 1e+09. Beyond what 17 digits write out, six in e-notation.
    const int exponent = platform::decimal_exponent(value, 17);
    if (exponent >= -4 && exponent < 17)
        return platform::significant(value, std::max(platform::shortest_digits(value), exponent + 1), false, separator);
    return platform::significant(value, 6, false, separator);
}

Text two_decimals(double value, char16_t separator)
{
    if (std::fabs(value) >= 1e15) return platform::scientific(value, 3, separator);
    return platform::fixed(value, 2, separator);
}

}  // namespace run
