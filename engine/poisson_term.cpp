#include "engine/poisson_term.h"

#include <cmath>

#include "engine/deviance.h"
#include "engine/log_gamma.h"
#include "engine/numeric/fault.h"
#include "engine/stirling_error.h"

namespace engine {

long double log_poisson_term(long double a, long double m)
{
    if (!(a > 0) || !(m > 0) || !std::isfinite(a) || !std::isfinite(m))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double ln_2pi = 1.83787706640934548356065947281123527L;

    // Below 1 the logarithms stay small: no cancellation to avoid.
    if (a < 1) {
        const long double lg = a <= 0.25L ? log_gamma_1p(a) : log_gamma(a + 1);
        return (a * std::log(m) - m) - lg;
    }
    // Stirling's formula for Gamma(a + 1), the powers by their deviance from
    // the peak at m = a.
    return (-stirling_error(a) - deviance(a, m)) - 0.5L * (ln_2pi + std::log(a));
}

}  // namespace engine
