// C(n, k) p^k (1 - p)^(n - k) by Stirling's error and the deviances of k and
// n - k from their means (log_binomial_term): no cancellation of large
// log-gammas at 10^9 trials; at k = 0 and k = n, the power alone.
#include "engine/binomial_probability.h"

#include <cmath>

#include "engine/binomial_tails.h"
#include "engine/binomial_term.h"

namespace engine {

double binomial_log_probability(double k, double n, double p)
{
    require_binomial(k, n, p);
    if (k != std::floor(k)) return -INFINITY;
    const long double q = 1 - static_cast<long double>(p);
    if (k == 0) return static_cast<double>(n * std::log1p(-static_cast<long double>(p)));
    if (k == n) return static_cast<double>(n * std::log(static_cast<long double>(p)));
    // x = p at odds (1 - p)/p.
    return static_cast<double>(log_binomial_term(k, n - k, q / p));
}

}  // namespace engine
