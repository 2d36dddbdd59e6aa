// P(X >= k) falls and P(X <= k) rises with k: bisection over the whole
// counts, comparing logarithms (binomial_tails), some 30 tails at 10^9 trials.
#include "engine/binomial_critical.h"

#include <cmath>

#include "engine/binomial_tails.h"
#include "engine/domain.h"

namespace engine {

double binomial_upper_critical(double n, double p, double a)
{
    require_probability(a);
    require_binomial(0, n, p);
    const double log_a = std::log(a);
    // P(X >= low) > a, P(X >= high) <= a.
    double low = 0, high = n + 1;
    while (high - low > 1) {
        const double mid = std::floor(low / 2 + high / 2);
        (binomial_tails(mid, n, p).upper.log <= log_a ? high : low) = mid;
    }
    return high;
}

double binomial_lower_critical(double n, double p, double a)
{
    require_probability(a);
    require_binomial(0, n, p);
    const double log_a = std::log(a);
    // P(X <= low) <= a, P(X <= high) > a.
    double low = -1, high = n;
    while (high - low > 1) {
        const double mid = std::floor(low / 2 + high / 2);
        (binomial_tails(mid, n, p).lower.log <= log_a ? low : high) = mid;
    }
    return low;
}

}  // namespace engine
