#pragma once

namespace engine {

struct IncompleteGamma {
    double P;     // regularized lower incomplete gamma P(a, x)
    double Q;     // its complement, 1 - P, computed as such where it is the small one
    long terms;   // terms of the series or passes of the continued fraction; 0 for the expansion
};

// The regularized incomplete gamma function for a > 0, x >= 0. Small a: the
// power series of P below x = a + 1, Legendre's continued fraction for Q above.
// Large a: both of those need some sqrt(a) terms near the peak, so Temme's
// uniform asymptotic expansion answers instead.
IncompleteGamma incomplete_gamma(double a, double x);

// From this a on, the expansion's first omitted term is below 1e-9.
inline constexpr double incomplete_gamma_large_a = 500;

}  // namespace engine
