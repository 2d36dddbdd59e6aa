#include "engine/stirling_error.h"

#include "engine/log_gamma.h"
#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

double stirling_error(double z_in)
{
    const Real ln_sqrt_2pi = 0.91893853320467274178;
    const Real z = z_in;

    // Small z: from the log-gamma itself; the difference is still exact to
    // about 1e-15 absolute, which is all an exponent needs.
    if (z < 15)
        return ((Real(log_gamma((z + 1).value())) - (z + 0.5) * numeric::log(z)) + z - ln_sqrt_2pi).value();

    // The asymptotic series B_2k / (2k (2k - 1) z^(2k-1)); at z = 15 the
    // first term left out is below 1e-17.
    const Real s0 = 1.0 / 12;
    const Real s1 = 1.0 / 360;
    const Real s2 = 1.0 / 1260;
    const Real s3 = 1.0 / 1680;
    const Real s4 = 1.0 / 1188;
    const Real s5 = 691.0 / 360360;
    const Real w = 1 / (z * z);
    return ((s0 - (s1 - (s2 - (s3 - (s4 - s5 * w) * w) * w) * w) * w) / z).value();
}

}  // namespace engine
