#pragma once
// The noncentralities the noncentral laws accept: lambda (chi-square, F) in
// [0, largest_lambda], delta (t) in [-largest_delta, largest_delta]. At the
// ends the Poisson weights span some 14,000 terms around 500,000.

namespace engine {

inline constexpr double largest_lambda = 1e6;
inline constexpr double largest_delta = 1000;

}  // namespace engine
