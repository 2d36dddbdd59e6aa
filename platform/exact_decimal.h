#pragma once
// Between doubles and decimal digits, exactly and without the C library: its
// printf and strtod follow the process's locale, which a toolkit sets from
// the user's environment, and the browser's runtime lacks from_chars. The
// number texts (number_text.h) are made from these two.
#include <string>
#include <string_view>

namespace platform::decimal {

// Every digit of a finite double: |value| = 0.d1 d2 d3 ... x 10^point, with
// no leading or trailing zero digit ("" for zero). A double has at most 767
// significant digits, so this is exact, never rounded.
struct Digits {
    bool negative = false;  // the sign bit, so -0.0 is negative too
    std::string digits;
    int point = 0;
};
Digits exact(double value);

// The double nearest to digits x 10^exponent (digits: '0' to '9', any
// number of them), ties to even, as IEEE rounding asks: infinity beyond the
// largest double, 0 below half the smallest.
double nearest(std::string_view digits, long long exponent, bool negative);

}  // namespace platform::decimal
