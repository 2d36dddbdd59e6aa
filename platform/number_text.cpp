#include "platform/number_text.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

namespace {
bool is_blank(char16_t c) { return c == u' ' || c == u'\t'; }
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
}  // namespace

double parse(const Text& text)
{
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && is_blank(text[i])) ++i;

    std::string number;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') number += '-';
        ++i;
    }
    bool seen_point = false, seen_digit = false, nonzero_before_point = false;
    for (; i < n; ++i) {
        const char16_t c = text[i];
        if (is_digit(c)) {
            seen_digit = true;
            if (!seen_point && c != u'0') nonzero_before_point = true;
            number += char(c);
        } else if (c == u'.' && !seen_point) {
            seen_point = true;
            number += '.';
        } else {
            break;
        }
    }
    if (!seen_digit) return 0.0;

    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (nonzero_before_point) throw NumberTooLarge();
        return 0.0;
    }
    return value;
}

Text render4(double value, char16_t separator)
{
    // The exact decimal expansion, so that rounding looks at the true digits.
    const int size = std::snprintf(nullptr, 0, "%.1100f", value);
    std::vector<char> buffer(size_t(size) + 1);
    std::snprintf(buffer.data(), buffer.size(), "%.1100f", value);
    std::string digits(buffer.data());

    const bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.erase(0, 1);
    const auto point = digits.find('.');
    std::string whole = digits.substr(0, point) + digits.substr(point + 1, 4);
    const bool round_up = digits[point + 5] >= '5';

    if (round_up) {
        int k = int(whole.size()) - 1;
        while (k >= 0 && whole[size_t(k)] == '9') whole[size_t(k--)] = '0';
        if (k < 0) whole.insert(whole.begin(), '1');
        else ++whole[size_t(k)];
    }

    const bool zero = whole.find_first_not_of('0') == std::string::npos;
    Text out;
    if (negative && !zero) out += u'-';
    for (char c : whole.substr(0, whole.size() - 4)) out += char16_t(c);
    out += separator;
    for (char c : whole.substr(whole.size() - 4)) out += char16_t(c);
    return out;
}

}  // namespace platform
