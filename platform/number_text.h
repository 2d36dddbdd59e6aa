#pragma once
// Conversions between box texts and numbers, the same on every platform.
#include <charconv>
#include <stdexcept>

#include "platform/text.h"

namespace platform {

// A typed number beyond the range of a double.
class NumberTooLarge : public std::overflow_error {
public:
    NumberTooLarge() : std::overflow_error("a number too large to hold") {}
};

// The leading number of a text: blanks, an optional sign, digits with at most
// one "." (the only decimal point, whatever the locale). The rest of the text
// is ignored; a text with no digit gives 0. A number beyond the range of a
// double raises NumberTooLarge; one too small to hold gives 0.
double parse(const Text& text);

// std::from_chars for a double in its general format: the nearest double to
// the decimal number at first, the end of what was read. The same on a
// standard library that lacks it (libc++ before 17, as in the browser's
// build), where it reads by strtod in the C locale.
std::from_chars_result read_double(const char* first, const char* last, double& value);

// Pattern "0.0000": sign, integer digits, separator, four decimals rounded
// half away from zero. A value that rounds to zero shows no minus sign.
Text render4(double value, char16_t separator);

}  // namespace platform
