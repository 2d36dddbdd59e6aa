// P(X >= k) falls and P(X <= k) rises with k: a bracket about the count the
// normal law gives, widened by doubling steps until it holds the critical
// count, then bisection over the whole counts in it, comparing logarithms
// (binomial_tails). At 10^9 trials some ten tails, where bisecting all the
// counts took thirty.
#include "engine/binomial_critical.h"

#include <algorithm>
#include <cmath>

#include "engine/binomial_tails.h"
#include "engine/domain.h"
#include "engine/normal_quantile.h"

namespace engine {

namespace {

// The smallest k in [0, n + 1] at which `past` holds, `past` false at 0 and
// true at n + 1 and holding from where it first does; searched from a guess
// with steps of `step` at first.
double first_past(double n, double guess, double step, const auto& past)
{
    double low = 0, high = n + 1;
    guess = std::clamp(std::round(guess), 0.0, n + 1);
    if (past(guess)) {
        high = guess;
        for (double k = high - step; k > 0 && past(k); k = high - step) high = k, step *= 2;
        low = std::max(high - step, 0.0);
    } else {
        low = guess;
        for (double k = low + step; k < n + 1 && !past(k); k = low + step) low = k, step *= 2;
        high = std::min(low + step, n + 1);
    }
    while (high - low > 1) {
        const double mid = std::floor(low / 2 + high / 2);
        (past(mid) ? high : low) = mid;
    }
    return high;
}

// Where the normal law puts the count whose tail is a: n p + z sqrt(n p q).
double normal_guess(double n, double p, double a, int side)
{
    double z = 0;
    try {
        z = normal_upper_quantile(a);
    } catch (...) {
        // A level too small for the normal quantile: the bracket widens from the mean.
    }
    return n * p + side * z * std::sqrt(n * p * (1 - p));
}

}  // namespace

double binomial_upper_critical(double n, double p, double a)
{
    require_probability(a);
    require_binomial(0, n, p);
    const double log_a = std::log(a);
    const double step = std::max(1.0, std::round(std::sqrt(n * p * (1 - p)) / 8));
    // P(X >= k) <= a from the critical count on; never at 0, where it is 1.
    return first_past(n, normal_guess(n, p, a, 1), step, [&](double k) {
        return k > n || (k > 0 && binomial_tails(k, n, p).upper.log <= log_a);
    });
}

double binomial_lower_critical(double n, double p, double a)
{
    require_probability(a);
    require_binomial(0, n, p);
    const double log_a = std::log(a);
    const double step = std::max(1.0, std::round(std::sqrt(n * p * (1 - p)) / 8));
    // In j = k + 2: P(X <= j - 1) > a holds from the critical count's j on,
    // never at j = 0 and always at n + 1, where it is 1.
    return first_past(n, normal_guess(n, p, a, -1) + 2, step, [&](double j) {
               return j > n || (j >= 1 && binomial_tails(j - 1, n, p).lower.log > log_a);
           }) -
           2;
}

}  // namespace engine
