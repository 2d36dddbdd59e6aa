// The density of the Poisson mixture of F laws with nu1 + 2j numerator
// degrees, each scaled back to nu1: with the odds r = nu1 x / nu2, z = r/(1 + r),
// a = nu1/2, b = nu2/2,
//   f(x) = (1/x) sum_j w_j (a + j) g(a + j),  g(p) = Gamma(p + b) / (Gamma(p + 1)
//          Gamma(b)) z^p (1 - z)^b,
// the beta density z^(p-1) (1 - z)^(b-1) / B(p, b) times dz/dx = z (1 - z)/x
// being p g(p)/x. g is a binomial term in the odds (log_binomial_term), free
// of the cancellation of the log-gammas at 1e9 degrees; g(p + 1)/g(p) =
// z (p + b)/(p + 1). Every term positive, summed outward from the largest
// (log_poisson_term_sum).
#include "engine/noncentral_f_density.h"

#include <cmath>

#include "engine/binomial_term.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/f_density.h"
#include "engine/noncentral_limits.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_term_sum.h"

namespace engine {

double noncentral_f_log_density(double x, double nu1, double nu2, double lambda)
{
    require_degrees(nu1, Argument::degrees, largest_degrees);
    require_degrees(nu2, Argument::denominator_degrees, largest_degrees);
    require_between(lambda, Argument::noncentrality, 0, largest_lambda);
    if (!std::isfinite(x)) throw numeric::Fault(numeric::FaultKind::Overflow);
    if (lambda == 0) return f_log_density(x, nu1, nu2);

    if (x < 0) return -INFINITY;
    if (x == 0) return nu1 < 2 ? INFINITY : nu1 == 2 ? static_cast<double>(-(lambda / 2.0L)) : -INFINITY;

    const long double r = (static_cast<long double>(nu1) * x) / nu2, z = r / (1 + r);
    const long double b = static_cast<long double>(nu2) / 2;
    const PoissonTermSum sum{static_cast<long double>(lambda) / 2, 0, static_cast<long double>(nu1) / 2, z, z * b, 1,
                             [r, b](long double p) { return log_binomial_term(b, p, r) + std::log(b / (p + b)); }};
    return static_cast<double>(log_poisson_term_sum(sum) - std::log(static_cast<long double>(x)));
}

}  // namespace engine
