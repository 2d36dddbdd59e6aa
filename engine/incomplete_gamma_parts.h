#pragma once
// The evaluations the incomplete gamma function chooses among; each assumes
// the region incomplete_gamma sends it.

namespace engine::incomplete_gamma_parts {

// No argument needs more than some thousands of terms (a < 100 off the
// expansion's region); the bound only makes a fault of one that would not settle.
inline constexpr long most_terms = 100'000;

// ln P(a, x) by the power series, x < a + 1 or x < 1.5.
long double log_series(long double a, long double x, long& terms);

// ln Q(a, x) by Legendre's continued fraction, x >= a + 1 or so.
long double log_fraction(long double a, long double x, long& terms);

// Q(a, x) for a < 1 and x < 1.5 from Gamma(a) - gamma(a, x), where P is
// near 1 and Q = 1 - P would keep none of its digits (a near 0).
long double small_shape_upper(long double a, long double x, long& terms);

// ln P and ln Q by Temme's uniform expansion, large a, x near a.
struct TemmeTails {
    long double lower, upper;
};
TemmeTails temme(long double a, long double x);

}  // namespace engine::incomplete_gamma_parts
