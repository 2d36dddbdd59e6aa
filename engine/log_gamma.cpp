#include "engine/log_gamma.h"

#include "engine/stirling_error.h"
#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

double log_gamma(double z_in)
{
    const Real ln_sqrt_2pi = 0.91893853320467274178;
    Real z = z_in;

    // Below 15 Stirling's series has not converged to a double: step z up
    // by Gamma(z) = Gamma(z + n) / (z (z + 1) ... (z + n - 1)).
    Real product = 1;
    while (z < 15) {
        product = product * z;
        z = z + 1;
    }
    const Real stirling = ((z - 0.5) * numeric::log(z) - z) + ln_sqrt_2pi;
    return ((stirling + stirling_error(z.value())) - numeric::log(product)).value();
}

}  // namespace engine
