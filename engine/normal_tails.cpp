#include "engine/normal_tails.h"

#include <cmath>

#include "engine/incomplete_gamma.h"
#include "engine/numeric/fault.h"

namespace engine {

NormalTails normal_tails(double z)
{
    if (!std::isfinite(z)) throw numeric::Fault(numeric::FaultKind::Overflow);
    const long double ln_2 = 0.693147180559945309417232121458176568L;

    // z^2 in extended precision: its range holds the square of any double.
    const long double half_z2 = (static_cast<long double>(z) * z) / 2;
    const LogTails g = log_incomplete_gamma(0.5L, half_z2).tails;  // erf(|z|/sqrt 2), erfc(|z|/sqrt 2)
    return {probability_from_log(g.lower - ln_2), probability_from_log(g.lower), probability_from_log(g.upper - ln_2),
            probability_from_log(g.upper)};
}

}  // namespace engine
