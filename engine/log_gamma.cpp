#include "engine/log_gamma.h"

#include <cmath>

#include "engine/numeric/fault.h"

#include "engine/stirling_error.h"

namespace engine {

long double log_gamma(long double z)
{
    if (!(z > 0) || !std::isfinite(z)) throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double ln_sqrt_2pi = 0.918938533204672741780329736405617639L;

    // Near 0, 1 and 2 from ln Gamma(1 + a): Gamma(z) = Gamma(1 + z)/z,
    // Gamma(2 + a) = (1 + a) Gamma(1 + a). These keep the zeros at 1 and 2 exact.
    if (z <= 0.25L) return log_gamma_1p(z) - std::log(z);
    if (std::fabs(z - 1) <= 0.25L) return log_gamma_1p(z - 1);
    if (std::fabs(z - 2) <= 0.25L) return std::log1p(z - 2) + log_gamma_1p(z - 2);

    // Stirling's series holds 1e-21 from 20 on: step z up to there by
    // Gamma(z) = Gamma(z + n) / (z (z + 1) ... (z + n - 1)).
    long double product = 1;
    while (z < stirling_series_from) {
        product *= z;
        z += 1;
    }
    return (((z - 0.5L) * std::log(z) - z) + ln_sqrt_2pi + stirling_error(z)) - std::log(product);
}

}  // namespace engine
