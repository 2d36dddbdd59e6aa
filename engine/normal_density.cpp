// ln phi(z) = -z^2/2 - ln sqrt(2 pi). Nothing cancels; the only danger is
// range: z^2 of a double beyond 1.34e154 overflows a double but not the
// extended range, where the logarithm is formed and then saturated.
#include "engine/normal_density.h"

#include <cmath>
#include <limits>

#include "engine/numeric/fault.h"

namespace engine {

double normal_log_density(double z)
{
    if (!std::isfinite(z)) throw numeric::Fault(numeric::FaultKind::Overflow);
    const long double ln_sqrt_2pi = 0.918938533204672741780329736405617639L;

    const long double log_density = -(static_cast<long double>(z) * z) / 2 - ln_sqrt_2pi;
    const long double lowest = std::numeric_limits<double>::lowest();
    return static_cast<double>(std::fmax(log_density, lowest));
}

}  // namespace engine
