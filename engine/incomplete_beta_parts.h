#pragma once
// The incomplete beta's methods, each for the region where it keeps its digits.

namespace engine::incomplete_beta_parts {

// Shapes a from which the continued fraction's complement keeps 1e-13 of
// its digits; below, the series of log_small_shape.
constexpr long double small_shape_below = 1e-4L;

// ln I_x(a, b) at x = 1/(1 + r) for 0 < a <= small_shape_below, b > 0 and x below
// (a + 1)/(a + b + 2), relative to its value as it tends to 0 with a.
long double log_small_shape(long double r, long double a, long double b, long& terms);

}  // namespace engine::incomplete_beta_parts
