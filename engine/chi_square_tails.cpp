#include "engine/chi_square_tails.h"

#include <cmath>

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/incomplete_gamma.h"

namespace engine {

Tails chi_square_tails(double x, double nu)
{
    require_degrees(nu, Argument::degrees, largest_degrees);
    if (!(x >= 0)) throw DomainError(Argument::statistic, DomainRule::not_negative);

    // Halving a double is exact, even a subnormal nu's half in extended precision.
    return rounded(log_incomplete_gamma(static_cast<long double>(nu) / 2, static_cast<long double>(x) / 2).tails);
}

}  // namespace engine
