#pragma once
#include "engine/log_tails.h"
#include "engine/probability.h"

namespace engine {

struct IncompleteGamma {
    Probability P;  // regularized lower incomplete gamma P(a, x)
    Probability Q;  // its complement Q(a, x), computed as itself where it is the smaller
    long terms;     // terms of the series or passes of the fraction; 0 for the expansion
};

// The regularized incomplete gamma function for a > 0, x >= 0, both finite,
// each half to about 1e-17 relative and, through its logarithm, far below
// the smallest double. Small a and x: the power series of P, and for Q the
// series of Gamma(a) - gamma(a, x). Large a near the peak: Temme's uniform
// expansion. Elsewhere the power series of P below x = a + 1, Legendre's
// continued fraction for Q above.
IncompleteGamma incomplete_gamma(double a, double x);

// The same in extended precision, as logarithms: what the distributions use.
struct LogIncompleteGamma {
    LogTails tails;  // lower = ln P, upper = ln Q
    long terms;
};
LogIncompleteGamma log_incomplete_gamma(long double a, long double x);

// From this a on, and within 30 % of the peak, the expansion answers.
inline constexpr long double incomplete_gamma_large_a = 100;
inline constexpr long double incomplete_gamma_expansion_width = 0.3L;

}  // namespace engine
