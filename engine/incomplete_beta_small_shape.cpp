#include "engine/incomplete_beta_parts.h"

#include <cmath>

#include "engine/log_gamma.h"
#include "engine/numeric/fault.h"
#include "engine/polygamma.h"

namespace engine::incomplete_beta_parts {

// ln I_x(a, b) from the hypergeometric series
//   I_x(a, b) = x^a Gamma(a + b) / (Gamma(1 + a) Gamma(b)) [1 + a S],
//   S = sum_{n>=1} (1 - b)_n x^n / (n! (a + n)),
// each factor as a logarithm of order a: as a tends to 0, I tends to 1 and
// its complement to a times an integral, which the continued fraction's
// ln I, a sum of logarithms of order ln(a + b), leaves to cancellation.
// ln Gamma(b + a) - ln Gamma(b) = ln Gamma(1 + b + a) - ln Gamma(1 + b) - ln(1 + a/b),
// the first difference by its Taylor series in a, polygammas at 1 + b >= 1.
long double log_small_shape(long double r, long double a, long double b, long& terms)
{
    if (!(a > 0) || !(a <= small_shape_below) || !(b > 0) || !std::isfinite(b) || !(r >= 0) || !std::isfinite(r))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double z = 1 + b;
    const long double shift = a * (polygamma(0, z) +
                                   (a / 2) * (polygamma(1, z) + (a / 3) * (polygamma(2, z) + (a / 4) * polygamma(3, z))));
    const long double log_ratio = (shift - std::log1p(a / b)) - log_gamma_1p(a);

    // The series converges as x^n: x is below (a + 1)/(a + b + 2) <= 1/2 here,
    // and below 1/(b + 1) where (1 - b)_n grows with b.
    const long double x = 1 / (1 + r);
    long double sum = 0, power = 1;  // power = (1 - b)_n x^n / n!
    for (long double n = 1;; n += 1) {
        power *= ((n - b) * x) / n;
        const long double term = power / (a + n);
        sum += term;
        if (++terms > 100'000) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        if (std::fabs(term) <= 1e-21L * std::fabs(sum) || power == 0) break;
    }
    return (-a * std::log1p(r) + log_ratio) + std::log1p(a * sum);
}

}  // namespace engine::incomplete_beta_parts
