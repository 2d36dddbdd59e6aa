#include "engine/t_tails.h"

#include <cmath>

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/incomplete_beta.h"
#include "engine/numeric/fault.h"

namespace engine {

TTails t_tails(double t, double nu)
{
    require_degrees(nu, Argument::degrees, largest_degrees);
    if (!std::isfinite(t)) throw numeric::Fault(numeric::FaultKind::Overflow);
    const long double ln_2 = 0.693147180559945309417232121458176568L;

    // P(|T| > |t|) = I_x(nu/2, 1/2) with x = nu/(nu + t^2) = 1/(1 + r), given
    // by its odds r = t^2/nu, which extended range holds for any double t and nu.
    const long double r = (static_cast<long double>(t) * t) / nu;
    const LogTails both = log_incomplete_beta(r, static_cast<long double>(nu) / 2, 0.5L).tails;

    // The tail beyond t is half of both; the other is its complement.
    const long double log_far = both.lower - ln_2;
    const LogTails tails = t > 0 ? from_upper(log_far) : from_lower(log_far);
    return {probability_from_log(tails.lower), probability_from_log(tails.upper), probability_from_log(both.lower)};
}

}  // namespace engine
