#pragma once
// The largest degrees of freedom a run accepts. Chi-square: the product of
// every second number from the degrees down exceeds a double beyond 300. t and
// F: the series grow with the degrees; these keep every run well inside 50 ms.
// For t the worst case is a statistic near the square root of the degrees,
// whose terms sink into subnormal numbers, each pass then some 20 times slower.
namespace run::limits {

// Beyond this, e^(-x/2) is no longer a full-precision double: the series then
// multiplies a value with a few significant bits by a huge sum, and the
// probability it gives can be anything (x = 1485 with 21 degrees shows -0.0059).
// Every accepted chi-square tail there is below 1e-200.
inline constexpr double chi_square_value = 1416;

inline constexpr double chi_square_degrees = 300;
inline constexpr double t_degrees = 100'000;
inline constexpr double f_degrees = 100'000;

}  // namespace run::limits
