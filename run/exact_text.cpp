#include "run/exact_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace run {

namespace {

Text with_separator(const std::string& s, char16_t separator)
{
    Text out;
    for (char c : s) out += c == '.' ? separator : char16_t(c);
    return out;
}

// mantissa "d.ddd" and a decimal exponent, the exponent written by us: the
// C libraries differ in its width.
std::string e_notation(const std::string& mantissa, long long exponent)
{
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (digits.size() < 2) digits.insert(0, "0");
    return mantissa + (exponent < 0 ? "e-" : "e+") + digits;
}

std::string printed(const char* format, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

Text exact_text(const engine::Probability& p, char16_t separator)
{
    if (p.value == 0 && !std::isfinite(p.log)) return u"0";

    if (p.value >= 2.2250738585072014e-308) {
        // Four significant digits, read off the rounded e-notation so that a
        // value rounding up to the next decade gets its digits right.
        const std::string e = printed("%.3e", p.value);
        const std::string mantissa = e.substr(0, e.find('e'));
        const long long exponent = std::atoll(e.c_str() + e.find('e') + 1);
        if (exponent < -3) return with_separator(e_notation(mantissa, exponent), separator);
        const int decimals = int(3 - exponent);
        return with_separator(printed(("%." + std::to_string(decimals) + "f").c_str(), p.value), separator);
    }

    // Below the doubles: 10^(log10 p) split into mantissa and exponent.
    const long double ln_10 = 2.30258509299404568401799145468436421L;
    const long double log10_p = static_cast<long double>(p.log) / ln_10;
    if (log10_p < -1e9L) return with_separator("< 1e-1000000000", separator);
    long long exponent = static_cast<long long>(std::floor(log10_p));
    long double mantissa = std::pow(10.0L, log10_p - exponent);
    if (std::round(mantissa * 1000) >= 10000) {
        mantissa /= 10;
        exponent += 1;
    }
    return with_separator(e_notation(printed("%.3f", static_cast<double>(mantissa)), exponent), separator);
}

Text apa_p(double p, char16_t separator)
{
    if (p < 0.001) return with_separator("< .001", separator);
    const std::string fixed = printed("%.3f", p);  // "0.051"
    if (fixed == "1.000") return with_separator("> .999", separator);
    return with_separator("= " + fixed.substr(1), separator);
}

Text short_number(double value, char16_t separator)
{
    for (int digits = 1; digits <= 17; ++digits) {
        const std::string s = printed(("%." + std::to_string(digits) + "g").c_str(), value);
        if (std::strtod(s.c_str(), nullptr) == value && s.find('e') == std::string::npos)
            return with_separator(s, separator);
    }
    return with_separator(printed("%.6g", value), separator);
}

Text two_decimals(double value, char16_t separator)
{
    if (std::fabs(value) >= 1e15) return with_separator(printed("%.3e", value), separator);
    return with_separator(printed("%.2f", value), separator);
}

}  // namespace run
