#pragma once
#include "engine/log_tails.h"
#include "engine/probability.h"

namespace engine {

// Lower and upper tail of the noncentral F distribution with nu1 (numerator)
// and nu2 (denominator) degrees of freedom and noncentrality lambda at x,
// each computed as itself. Accepts x >= 0 (an infinite x is an overflow
// Fault), 0 < nu1, nu2 <= largest_degrees and 0 <= lambda <= largest_lambda;
// raises DomainError otherwise. At lambda = 0, the central law's tails exactly.
Tails noncentral_f_tails(double x, double nu1, double nu2, double lambda);

// The same as logarithms in extended precision, for x > 0 finite, nu1, nu2 > 0
// and lambda > 0 unchecked: what the quantile and the noncentrality solve on.
LogTails noncentral_f_log_tails(long double x, long double nu1, long double nu2, long double lambda);

}  // namespace engine
