#pragma once
#include "engine/log_tails.h"
#include "engine/probability.h"

namespace engine {

// The sample sizes the law of the sample correlation accepts: N pairs, whole
// or not, from 3 (where it is still a proper law) to largest_pairs.
inline constexpr double smallest_pairs = 3;
inline constexpr double largest_pairs = 1e9;

// The domain of the law of r: N in [smallest_pairs, largest_pairs] (sample
// size) and -1 < rho < 1 (correlation), raising DomainError otherwise.
void require_correlation_law(double n, double rho);

// P(R < r) and P(R > r) for the correlation R of n pairs drawn from a
// bivariate normal with correlation rho, each computed as itself. Accepts
// -1 <= r <= 1 (statistic) and the domain above; raises DomainError
// otherwise. At rho = 0, Student's t with n - 2 degrees at
// t = sqrt(n - 2) r / sqrt(1 - r^2) exactly (t_tails).
Tails correlation_tails(double r, double n, double rho);

// The same as logarithms in extended precision, for |r| < 1 and the domain
// above unchecked: what the quantiles and the rho search solve on.
LogTails correlation_log_tails(long double r, long double n, long double rho);

}  // namespace engine
