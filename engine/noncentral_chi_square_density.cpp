// f(x) = sum_j w_j f_(nu + 2j)(x), w_j the Poisson weights at lambda/2, each
// central density half a Poisson term (as chi_square_density.cpp):
//   f(x) = 1/2 sum_j w_j g(nu/2 - 1 + j),  g(p) = y^p e^-y / Gamma(p + 1), y = x/2,
// g(p + 1)/g(p) = y/(p + 1): every term positive, summed outward from the
// largest (log_poisson_term_sum). g(p) for p >= 0 by Stirling's error and the
// deviance (log_poisson_term), below as g(p + 1)(p + 1)/y, so the terms keep
// their digits at 1e9 degrees; below 2 degrees the first term apart, since
// nu/2 - 1 may round to -1. (The Bessel form e^(-(x + lambda)/2)
// (x/lambda)^(nu/4 - 1/2) I_(nu/2 - 1)(sqrt(lambda x)) / 2 is the same sum.)
#include "engine/noncentral_chi_square_density.h"

#include <cmath>

#include "engine/chi_square_density.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/noncentral_limits.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_term.h"
#include "engine/poisson_term_sum.h"

namespace engine {

double noncentral_chi_square_log_density(double x, double nu, double lambda)
{
    require_degrees(nu, Argument::degrees, largest_degrees);
    require_between(lambda, Argument::noncentrality, 0, largest_lambda);
    if (!std::isfinite(x)) throw numeric::Fault(numeric::FaultKind::Overflow);
    if (lambda == 0) return chi_square_log_density(x, nu);
    const long double ln_2 = 0.693147180559945309417232121458176568L;

    if (x < 0) return -INFINITY;
    // At 0 only the j = 0 term can be nonzero: the central density times e^(-lambda/2).
    if (x == 0) return nu < 2 ? INFINITY : nu == 2 ? static_cast<double>(-(lambda / 2.0L) - ln_2) : -INFINITY;

    const long double y = static_cast<long double>(x) / 2, a = static_cast<long double>(nu) / 2, mu = lambda / 2.0L;
    auto log_g = [y](long double p) { return p > 0 ? log_poisson_term(p, y) : log_poisson_term(p + 1, y) + std::log((p + 1) / y); };
    if (a > 1) return static_cast<double>(log_poisson_term_sum({mu, 0, a - 1, 0, y, 0, log_g}) - ln_2);
    // Below 2 degrees a - 1 may round to -1: the first term as (a/y) times
    // the term at a, the others from j = 1 on, at shapes a + j - 1 >= a.
    const long double first = (-mu + std::log(a / y)) + log_poisson_term(a, y);
    const long double rest = log_poisson_term_sum({mu, 1, a, 0, y, 0, log_g});
    const long double top = std::fmax(first, rest);
    return static_cast<double>(top + std::log1p(std::exp(std::fmin(first, rest) - top)) - ln_2);
}

}  // namespace engine
