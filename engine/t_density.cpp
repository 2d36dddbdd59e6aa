// f(t) = Gamma(q) / (Gamma(p) sqrt(nu pi)) (1 + t^2/nu)^(-q), p = nu/2,
// q = p + 1/2. By Stirling's formula with its error d(z) = ln Gamma(z + 1) -
// ((z + 1/2) ln z - z + ln sqrt(2 pi)), the ratio of the gammas is exactly
//   ln Gamma(q) - ln Gamma(p) = (1/2) ln p - D(p, q) + d(q) - d(p),
// D(p, q) = p ln(p/q) + q - p the deviance, which is 1/(8p) at large p and
// kept to full precision by its series. So
//   ln f = -ln sqrt(2 pi) - D(p, q) + d(q) - d(p) - q ln(1 + t^2/nu):
// no two large numbers meet, where ln Gamma(q) - ln Gamma(p) at 1e9 degrees
// would leave only the last ten digits of 1e10. At tiny p nothing is larger
// than a few hundred either (d(p) holds -(1/2) ln p, the power
// -(1/2) ln(t^2/nu)), so the degrees are taken as typed, subnormal too.
#include "engine/t_density.h"

#include <cmath>

#include "engine/deviance.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/numeric/fault.h"
#include "engine/stirling_error.h"

namespace engine {

double t_log_density(double t, double nu)
{
    require_degrees(nu, Argument::degrees, largest_degrees);
    if (!std::isfinite(t)) throw numeric::Fault(numeric::FaultKind::Overflow);
    const long double ln_sqrt_2pi = 0.918938533204672741780329736405617639L;

    const long double p = static_cast<long double>(nu) / 2, q = p + 0.5L;
    // t^2/nu in extended range: it holds 1.8e308 squared over a subnormal nu.
    const long double odds = (static_cast<long double>(t) * t) / nu;
    const long double gamma_ratio = (stirling_error(q) - stirling_error(p)) - deviance(p, q);
    return static_cast<double>((gamma_ratio - ln_sqrt_2pi) - q * std::log1p(odds));
}

}  // namespace engine
