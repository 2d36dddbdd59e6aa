// P(X <= k) = I_(1-p)(n - k, k + 1) for k < n, and P(X >= k) = 1 - P(X <= k - 1)
// = 1 - I_(1-p)(n - k + 1, k) for k > 0: the incomplete beta at odds
// p/(1 - p), which gives both I and 1 - I each as itself (the smaller by its
// fraction, the larger as the complement), so a tail of 1e-100000 keeps its
// digits and neither tail is 1 minus the other where that would lose them.
#include "engine/binomial_tails.h"

#include <cmath>

#include "engine/domain.h"
#include "engine/incomplete_beta.h"
#include "engine/log_tails.h"

namespace engine {

void require_binomial(double k, double n, double p)
{
    if (!(n >= 1 && n <= largest_trials)) throw DomainError(Argument::trials, 1, largest_trials);
    if (n != std::floor(n)) throw DomainError(Argument::trials, DomainRule::between, largest_trials);
    if (!(p > 0 && p < 1)) throw DomainError(Argument::proportion, DomainRule::probability);
    require_between(k, Argument::statistic, 0, n);
}

Tails binomial_tails(double k, double n, double p)
{
    require_binomial(k, n, p);
    const long double odds = static_cast<long double>(p) / (1 - static_cast<long double>(p));
    const long double below = std::floor(k), above = std::ceil(k);
    // ln P(X <= below) and ln P(X >= above).
    const long double lower = below == n ? 0 : log_incomplete_beta(odds, n - below, below + 1).tails.lower;
    const long double upper = above == 0 ? 0 : log_incomplete_beta(odds, n - above + 1, above).tails.upper;
    return {probability_from_log(lower), probability_from_log(upper)};
}

}  // namespace engine
