#include "engine/f_tails.h"

#include <cmath>

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/incomplete_beta.h"
#include "engine/numeric/fault.h"

namespace engine {

FTails f_tails(double F, double nu1, double nu2)
{
    require_degrees(nu1, Argument::degrees, largest_degrees);
    require_degrees(nu2, Argument::denominator_degrees, largest_degrees);
    if (!(F >= 0)) throw DomainError(Argument::statistic, DomainRule::not_negative);
    if (!std::isfinite(F)) throw numeric::Fault(numeric::FaultKind::Overflow);
    const long double ln_2 = 0.693147180559945309417232121458176568L;

    // P(X > F) = I_x(nu2/2, nu1/2) at x = nu2/(nu2 + nu1 F) = 1/(1 + r), given
    // by its odds r = nu1 F / nu2.
    const long double r = (static_cast<long double>(nu1) * F) / nu2;
    const LogTails tails = log_incomplete_beta(r, static_cast<long double>(nu2) / 2,
                                               static_cast<long double>(nu1) / 2).tails;
    const long double log_upper = tails.lower, log_lower = tails.upper;
    const long double log_doubled = std::fmin(log_lower, log_upper) + ln_2;
    return {probability_from_log(log_lower), probability_from_log(log_upper),
            probability_from_log(std::fmin(log_doubled, 0.0L))};
}

}  // namespace engine
