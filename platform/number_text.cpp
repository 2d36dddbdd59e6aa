#include "platform/number_text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace platform {

namespace {
bool is_blank(char16_t c) { return c == u' ' || c == u'\t'; }
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
}  // namespace

std::from_chars_result read_double(const char* first, const char* last, double& value)
{
#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 170000
    // strtod reads more than from_chars: blanks first, and hexadecimal after
    // "0x", which from_chars reads as the 0 alone.
    if (first == last || *first == ' ' || *first == '\t' || *first == '\n' || *first == '+')
        return {first, std::errc::invalid_argument};
    std::string copy(first, last);
    const size_t sign = copy[0] == '-' ? 1 : 0;
    if (copy.size() > sign + 1 && copy[sign] == '0' && (copy[sign + 1] == 'x' || copy[sign + 1] == 'X'))
        copy.resize(sign + 1);
    errno = 0;
    char* end = nullptr;
    const double read = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str()) return {first, std::errc::invalid_argument};
    const char* stop = first + (end - copy.c_str());
    if (errno == ERANGE && (std::isinf(read) || read == 0)) return {stop, std::errc::result_out_of_range};
    value = read;
    return {stop, std::errc()};
#else
    return std::from_chars(first, last, value);
#endif
}

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
    const auto [end, ec] = read_double(number.data(), number.data() + number.size(), value);
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
