// The density x^(k-1) e^(-x/2) / (2^k Gamma(k)), k = nu/2, is half a Poisson
// term: with m = x/2,
//   f(x) = (1/2) m^(k-1) e^(-m) / Gamma(k)          (term at k - 1, for k > 1)
//        = (k/x) m^k e^(-m) / Gamma(k + 1)          (term at k, for k <= 1).
// The term's logarithm comes from Stirling's error and the deviance of m from
// k - 1, so at 1e9 degrees the density near its peak keeps its digits where
// (k - 1) ln m - m - ln Gamma(k) would lose ten to cancellation. Below one
// the term's shape must stay positive, hence the second form there.
#include "engine/chi_square_density.h"

#include <cmath>

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_term.h"

namespace engine {

double chi_square_log_density(double x, double nu)
{
    require_degrees(nu, Argument::degrees, largest_degrees);
    if (!std::isfinite(x)) throw numeric::Fault(numeric::FaultKind::Overflow);
    const long double ln_2 = 0.693147180559945309417232121458176568L;

    if (x < 0) return -INFINITY;
    if (x == 0) return nu < 2 ? INFINITY : nu == 2 ? static_cast<double>(-ln_2) : -INFINITY;

    // Halving is exact in extended precision, even for subnormal degrees.
    const long double k = static_cast<long double>(nu) / 2, m = static_cast<long double>(x) / 2;
    if (k > 1) return static_cast<double>(log_poisson_term(k - 1, m) - ln_2);
    return static_cast<double>((std::log(k) - std::log(static_cast<long double>(x))) + log_poisson_term(k, m));
}

}  // namespace engine
