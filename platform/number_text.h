#pragma once
// Every number the program reads from a box or shows and copies: the same
// characters on every platform and in every locale, with the decimal
// separator the caller gives. Nothing here asks the C library, whose printf
// and strtod follow the locale a toolkit sets from the user's environment.
#include <stdexcept>

#include "platform/text.h"

namespace platform {

// A typed number beyond the range of a double.
class NumberTooLarge : public std::overflow_error {
public:
    NumberTooLarge() : std::overflow_error("a number too large to hold") {}
};

// The leading number of a text, as every box reads it: blanks, an optional
// sign, digits with at most one "." (the only decimal point, whatever the
// locale), then an exponent if one follows ("e" or "E", an optional sign, at
// least one digit: "1e6", "2.5E-3", "1e+2"). The rest of the text is ignored;
// a text with no digit before the exponent gives 0. The nearest double, ties
// to even; a number beyond the range of a double raises NumberTooLarge, one
// too small to hold gives 0.
double parse(const Text& text);

// What a box's text gave, and how much of it: the text up to `end` was the
// number (blanks before it included); a text with no digit gives 0 and no
// number. `too_large` where the number lies beyond a double.
struct Reading {
    double value = 0;
    size_t end = 0;
    bool number = false;
    bool too_large = false;
};
// The same reading as parse(). With `comma_too` a "," reads as the decimal
// point as well, as the boxes that are not the main window's read
// ("0,05" as 0.05); never raises.
Reading read_number(const Text& text, bool comma_too = false);

// Pattern "0.0000": sign, integer digits, separator, four decimals rounded
// half away from zero. A value that rounds to zero shows no minus sign.
Text render4(double value, char16_t separator);

// The value to `decimals` places ("2.10"), rounded on its exact digits with
// ties to even; a negative value keeps its minus even where it rounds to 0.
Text fixed(double value, int decimals, char16_t separator);

// One digit, `decimals` more, and a decimal exponent of at least two digits
// ("2.867e-07", "1.00028e+09").
Text scientific(double value, int decimals, char16_t separator);

// `digits` significant digits: as a decimal where the exponent lies from -4
// up to digits - 1, otherwise in e-notation. keep_zeros keeps the trailing
// zeros and the separator ("13.2767", "0.0636390"); without it they go
// ("17.34", "1000000000").
Text significant(double value, int digits, bool keep_zeros, char16_t separator);

// The decimal exponent of the value rounded to `digits` significant digits
// (-3 for 0.00099996 at four, which rounds to 1.000e-03); 0 for 0.
int decimal_exponent(double value, int digits);

// The fewest significant digits that read back as the value (2 for 17.34,
// 17 at most); 1 for 0.
int shortest_digits(double value);

// A whole number ("1000000000", "-7").
Text whole(long long value);

}  // namespace platform
