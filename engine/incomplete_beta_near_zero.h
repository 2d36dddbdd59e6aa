#pragma once

namespace engine {

// I_x(a, b) for x so small that only ln x is a double (x below e^-600, down
// to far below the smallest double): the first term of the series,
// x^a / (a B(a, b)), the next ones being below x (a + b) relative. Matters
// for degrees near 0, where x^a stays near 1 however small x is.
double incomplete_beta_near_zero(double log_x, double a, double b);

// Below this ln x the first term is the whole answer.
inline constexpr double incomplete_beta_near_zero_log_x = -600;

}  // namespace engine
