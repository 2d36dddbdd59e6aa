// The root in zeta = atanh rho (over which the tail moves as a normal's of
// spread 1/sqrt(N - 3), Fisher) of ln P(R > r; rho) - ln upper, or of
// ln(1 - upper) - ln P(R < r; rho) where upper exceeds 1/2, both rising
// (the engine's root finder, in zeta itself), from Fisher's start atanh r - z_upper / sqrt(N - 3).
// The ends are the doubles nearest -1 and 1: a tail not reached by them is
// not reached inside the domain.
#include "engine/correlation_rho.h"

#include <cfloat>
#include <cmath>

#include "engine/correlation_tails.h"
#include "engine/domain.h"
#include "engine/normal_quantile.h"
#include "engine/root.h"

namespace engine {

Noncentrality correlation_rho(double r, double n, double upper)
{
    require_probability(upper);
    require_between(r, Argument::statistic, -1, 1);
    require_between(n, Argument::sample_size, smallest_pairs, largest_pairs);
    // P(R > 1) = 0 and P(R > -1) = 1 whatever rho.
    if (r == 1) return {1, true};
    if (r == -1) return {-1, true};
    const long double log_p = std::log(static_cast<long double>(upper));
    const long double log_q = std::log1p(-static_cast<long double>(upper));
    const bool small = upper <= 0.5;
    auto g = [&](long double zeta) {
        const LogTails t = correlation_log_tails(r, n, std::tanh(zeta));
        return small ? t.upper - log_p : log_q - t.lower;
    };
    const long double spread = 1 / std::sqrt(std::fmax(n - 3.0L, 1.0L));
    const long double guess = std::atanh(static_cast<long double>(r)) - normal_upper_quantile(upper) * spread;
    // Left at an end with the miss showing the root beyond it, it is a bound.
    const double limit = static_cast<double>(std::atanh(1 - DBL_EPSILON / 2));
    const auto miss = [&](double v) { return g(v); };
    const double zeta = root({miss, {}, true, false, -limit, limit,
                              static_cast<double>(std::fmax(std::fmin(guess, limit), -limit)), spread});
    if (zeta == limit && miss(limit) < 0) return {1, true};
    if (zeta == -limit && miss(-limit) > 0) return {-1, true};
    return {static_cast<double>(std::tanh(static_cast<long double>(zeta))), false};
}

}  // namespace engine
