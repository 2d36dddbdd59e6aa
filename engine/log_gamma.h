#pragma once

namespace engine {

// ln Gamma(z) for z > 0, in extended precision: to a few units of 1e-19,
// relative where it is large and absolute near its zeros at 1 and 2.
long double log_gamma(long double z);

// ln Gamma(1 + a) for |a| <= 1/4, relative to its value even as a tends to 0,
// where ln Gamma(1 + a) = -0.5772... a and 1 + a has lost a's digits.
long double log_gamma_1p(long double a);

}  // namespace engine
