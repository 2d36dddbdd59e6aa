#pragma once

namespace engine {

// The exact (Clopper-Pearson) confidence limits for the binomial chance p
// after x successes in n trials: binomial_lower_limit is the p at which
// P(X >= x; p) = a (0 at x = 0, where every p gives 1), binomial_upper_limit
// the p at which P(X <= x; p) = a (1 at x = n); the interval at level
// 1 - alpha has both at a = alpha/2. Accepts whole n in [1, largest_trials],
// x in [0, n] (a fractional x taken as ceil x, resp. floor x, as
// binomial_tails does) and 0 < a < 1; DomainError otherwise. A limit below
// the smallest double is 0.
double binomial_lower_limit(double x, double n, double a);
double binomial_upper_limit(double x, double n, double a);

}  // namespace engine
