// With a = nu1/2, b = nu2/2 and the odds r = nu1 F / nu2, the density is a
// binomial term in x = 1/(1 + r), y = r/(1 + r):
//   f(F) = a/(1 + r) * C(a + b - 1, b) x^b y^(a-1)            (a > 1)
//        = a^2/((a + b) r) * C(a + b, b) x^b y^a               (a <= 1)
// with C(n, k) = Gamma(n + 1) / (Gamma(k + 1) Gamma(n - k + 1)). The term's
// logarithm comes from Stirling's errors and the deviances of its powers,
// taken from the odds, so at 1e9 and 1e9 degrees near F = 1 the density keeps
// its digits where the log-gammas and a ln(nu1/nu2) + (a - 1) ln F -
// (a + b) ln(1 + r) would cancel to the last ten. Below a = 1 the power of y
// must stay positive, hence the second form there.
#include "engine/f_density.h"

#include <cmath>

#include "engine/binomial_term.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/numeric/fault.h"

namespace engine {

double f_log_density(double F, double nu1, double nu2)
{
    require_degrees(nu1, Argument::degrees, largest_degrees);
    require_degrees(nu2, Argument::denominator_degrees, largest_degrees);
    if (!std::isfinite(F)) throw numeric::Fault(numeric::FaultKind::Overflow);

    if (F < 0) return -INFINITY;
    if (F == 0) return nu1 < 2 ? INFINITY : nu1 == 2 ? 0.0 : -INFINITY;

    // Halved degrees and the odds in extended precision and range: exact
    // halves even of subnormal degrees, and r for any three doubles.
    const long double a = static_cast<long double>(nu1) / 2, b = static_cast<long double>(nu2) / 2;
    const long double r = (static_cast<long double>(nu1) * F) / nu2;
    if (a > 1) return static_cast<double>((std::log(a) - std::log1p(r)) + log_binomial_term(b, a - 1, r));
    return static_cast<double>(((2 * std::log(a) - std::log(a + b)) - std::log(r)) + log_binomial_term(b, a, r));
}

}  // namespace engine
