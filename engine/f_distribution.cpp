#include "engine/f_distribution.h"

#include <cmath>

#include "engine/domain.h"
#include "engine/f_probability.h"
#include "engine/f_tails.h"

namespace engine {

namespace {

bool whole(double nu) { return nu == std::floor(nu) && nu <= f_series_largest_degrees; }

// AS 63 with its log-gamma step is exact for whole degrees only (half-whole
// shape parameters). It forms x = nu2/(nu2 + nu1 F) and then 1 - x, which
// keeps all but 1e-16/(1 - x) of its digits: below 1 - x = 1e-6 the tail it
// gives drifts (1e-7 off at F = 1.6e-12 with 1 and 10000 degrees).
bool series_answers(double F, double nu1, double nu2)
{
    if (!whole(nu1) || !whole(nu2) || nu1 < 1 || nu2 < 1) return false;
    const double sum = nu2 + nu1 * F;
    return sum < 1e300 && (nu1 * F) / sum >= 1e-6;
}

}  // namespace

FDistribution f_distribution(double F, double nu1, double nu2)
{
    require_degrees(nu1, Argument::degrees, largest_degrees);
    require_degrees(nu2, Argument::denominator_degrees, largest_degrees);
    if (!(F >= 0)) throw DomainError(Argument::statistic, DomainRule::not_negative);

    if (series_answers(F, nu1, nu2)) return {f_probability(F, nu1, nu2).C, Evaluation::series};
    return {f_tails(F, nu1, nu2).lower.value, Evaluation::incomplete_function};
}

}  // namespace engine
