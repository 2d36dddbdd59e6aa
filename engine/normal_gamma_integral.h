#pragma once

namespace engine {

// ln of integral_0^inf phi(w - delta) G(w^2 / (2 c^2)) dw, G the regularized
// incomplete gamma P(a, .) (upper = false) or Q(a, .) (upper = true): the
// noncentral t's tails averaged over W = Z + delta rather than over the chi
// variable, for where the chi variable's kernel would turn faster than its
// bulk (t far above sqrt(2 nu)). a > 0, c > 0 and delta finite; every value
// of the integrand is positive.
long double log_normal_gamma_integral(long double a, long double c, long double delta, bool upper);

}  // namespace engine
