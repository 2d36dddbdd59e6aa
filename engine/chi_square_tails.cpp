#include "engine/chi_square_tails.h"

#include <cmath>

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/incomplete_gamma.h"

namespace engine {

Tails chi_square_tails(double x, double nu_in)
{
    // Degrees as typed, even subnormal ones: halved in extended precision they
    // keep their digits, and a tail near its limit still has its own.
    const double nu = nu_in;
    require_degrees(nu, Argument::degrees, largest_degrees);
    if (!(x >= 0)) throw DomainError(Argument::statistic, DomainRule::not_negative);

    // Halving a double is exact, even a subnormal nu's half in extended precision.
    return rounded(log_incomplete_gamma(static_cast<long double>(nu) / 2, static_cast<long double>(x) / 2).tails);
}

}  // namespace engine
