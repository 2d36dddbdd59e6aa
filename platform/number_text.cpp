#include "platform/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "platform/exact_decimal.h"

namespace platform {

namespace {

bool is_blank(char16_t c) { return c == u' ' || c == u'\t'; }
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Beyond this an exponent's further digits cannot change what a double holds.
constexpr long long exponent_bound = 1'000'000'000'000;

// The first `keep` significant digits of d as a whole number's digits, rounded
// by the digits after them: half away from zero, or half to even as printf
// rounds. One digit longer where the rounding carries; "" for 0.
std::string rounded(const decimal::Digits& d, int keep, bool half_even)
{
    const int size = int(d.digits.size());
    if (keep < 0) return "";
    if (keep >= size) return d.digits + std::string(size_t(keep - size), '0');
    std::string kept = d.digits.substr(0, size_t(keep));
    const char next = d.digits[size_t(keep)];
    // d.digits ends in a non-zero digit, so digits after `next` are non-zero.
    const bool above_half = next > '5' || (next == '5' && keep + 1 < size);
    const bool odd = !kept.empty() && (kept.back() - '0') % 2 == 1;
    const bool up = half_even ? above_half || (next == '5' && keep + 1 == size && odd) : next >= '5';
    if (!up) return kept;
    int k = int(kept.size()) - 1;
    while (k >= 0 && kept[size_t(k)] == '9') kept[size_t(k--)] = '0';
    if (k < 0) kept.insert(kept.begin(), '1');
    else ++kept[size_t(k)];
    return kept;
}

Text to_text(const std::string& ascii)
{
    return Text(ascii.begin(), ascii.end());
}

// Whole-number digits as a decimal with `decimals` places.
Text with_point(std::string digits, int decimals, char16_t separator)
{
    if (digits.size() < size_t(decimals) + 1) digits.insert(0, size_t(decimals) + 1 - digits.size(), '0');
    Text out = to_text(digits.substr(0, digits.size() - size_t(decimals)));
    if (decimals > 0) out += separator + to_text(digits.substr(digits.size() - size_t(decimals)));
    return out;
}

Text not_finite(double value)
{
    if (std::isnan(value)) return u"nan";
    return value < 0 ? u"-inf" : u"inf";
}

int exponent_of(const decimal::Digits& d, int keep)
{
    if (d.digits.empty()) return 0;
    return d.point - 1 + (rounded(d, keep, true).size() > size_t(keep) ? 1 : 0);
}

}  // namespace

Reading read_number(const Text& text, bool comma_too)
{
    Reading r;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && is_blank(text[i])) ++i;

    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    std::string digits;
    size_t before_point = std::string::npos;
    for (; i < n; ++i) {
        const bool point = text[i] == u'.' || (comma_too && text[i] == u',');
        if (is_digit(text[i])) digits += char(text[i]);
        else if (point && before_point == std::string::npos) before_point = digits.size();
        else break;
    }
    if (digits.empty()) return r;
    if (before_point == std::string::npos) before_point = digits.size();
    r.number = true;
    r.end = i;

    // An exponent counts only with a digit of its own: "1e" reads as 1.
    long long exponent = 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        size_t j = i + 1;
        const bool down = j < n && text[j] == u'-';
        if (j < n && (text[j] == u'+' || text[j] == u'-')) ++j;
        const size_t first_digit = j;
        for (; j < n && is_digit(text[j]); ++j)
            if (exponent < exponent_bound) exponent = exponent * 10 + (text[j] - u'0');
        if (down) exponent = -exponent;
        if (j > first_digit) r.end = j;
    }

    const long long scale = exponent + static_cast<long long>(before_point) - static_cast<long long>(digits.size());
    r.value = decimal::nearest(digits, scale, negative);
    r.too_large = std::isinf(r.value);
    if (r.too_large) r.value = 0;
    return r;
}

double parse(const Text& text)
{
    const Reading r = read_number(text);
    if (r.too_large) throw NumberTooLarge();
    return r.value;
}

Text render4(double value, char16_t separator)
{
    if (!std::isfinite(value)) return not_finite(value);
    const decimal::Digits d = decimal::exact(value);
    const std::string digits = rounded(d, d.point + 4, false);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    return (d.negative && !zero ? u"-" : u"") + with_point(digits, 4, separator);
}

Text fixed(double value, int decimals, char16_t separator)
{
    if (!std::isfinite(value)) return not_finite(value);
    const decimal::Digits d = decimal::exact(value);
    return (d.negative ? u"-" : u"") + with_point(rounded(d, d.point + decimals, true), decimals, separator);
}

Text scientific(double value, int decimals, char16_t separator)
{
    if (!std::isfinite(value)) return not_finite(value);
    const decimal::Digits d = decimal::exact(value);
    std::string digits = d.digits.empty() ? std::string(size_t(decimals) + 1, '0') : rounded(d, decimals + 1, true);
    const int exponent = exponent_of(d, decimals + 1);
    digits.resize(size_t(decimals) + 1);  // a carry's extra digit is a 0
    Text out = d.negative ? u"-" : u"";
    out += char16_t(digits[0]);
    if (decimals > 0) out += separator + to_text(digits.substr(1));
    Text power = whole(exponent < 0 ? -exponent : exponent);
    if (power.size() < 2) power.insert(0, 1, u'0');
    return out + (exponent < 0 ? u"e-" : u"e+") + power;
}

Text significant(double value, int digits, bool keep_zeros, char16_t separator)
{
    if (!std::isfinite(value)) return not_finite(value);
    if (digits < 1) digits = 1;
    const int exponent = exponent_of(decimal::exact(value), digits);
    Text out = exponent >= -4 && exponent < digits ? fixed(value, digits - 1 - exponent, separator)
                                                   : scientific(value, digits - 1, separator);
    if (keep_zeros) return out;
    // Trailing zeros of the fraction go, and the separator with them.
    const size_t e = std::min(out.find(u'e'), out.size());
    const size_t point = out.find(separator);
    if (point == Text::npos || point > e) return out;
    size_t end = e;
    while (end > point + 1 && out[end - 1] == u'0') --end;
    if (end == point + 1) end = point;
    return out.substr(0, end) + out.substr(e);
}

int decimal_exponent(double value, int digits)
{
    if (!std::isfinite(value)) return 0;
    return exponent_of(decimal::exact(value), std::max(digits, 1));
}

int shortest_digits(double value)
{
    if (!std::isfinite(value) || value == 0) return 1;
    // The exact digits once: rounding them is cheap, writing them out is not
    // (a tiny double has hundreds).
    const decimal::Digits d = decimal::exact(value);
    for (int n = 1; n < 17; ++n)
        if (decimal::nearest(rounded(d, n, true), d.point - n, d.negative) == value) return n;
    return 17;
}

Text whole(long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return to_text(std::string(buffer, result.ptr));
}

}  // namespace platform
