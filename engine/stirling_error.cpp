#include "engine/stirling_error.h"

#include <cmath>

#include "engine/numeric/fault.h"

#include "engine/log_gamma.h"

namespace engine {

long double stirling_error(long double z)
{
    if (!(z > 0) || !std::isfinite(z)) throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double ln_sqrt_2pi = 0.918938533204672741780329736405617639L;

    // Small z: from the log-gamma itself; what cancels is exact to about
    // 1e-18 absolute, which is all an exponent needs.
    if (z < stirling_series_from) return ((log_gamma(z + 1) - (z + 0.5L) * std::log(z)) + z) - ln_sqrt_2pi;

    // The asymptotic series sum B_2k / (2k (2k - 1) z^(2k - 1)), k = 1..8; at
    // z = 20 the first term left out is 1.4e-23.
    const long double s[] = {1.0L / 12, 1.0L / 360, 1.0L / 1260, 1.0L / 1680, 1.0L / 1188,
                             691.0L / 360360, 1.0L / 156, 3617.0L / 122400};
    const long double w = 1 / (z * z);
    long double sum = 0;
    for (int k = 7; k >= 0; --k) sum = s[k] - sum * w;
    return sum / z;
}

}  // namespace engine
