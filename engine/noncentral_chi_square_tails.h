#pragma once
#include "engine/log_tails.h"
#include "engine/probability.h"

namespace engine {

// Lower and upper tail of the noncentral chi-square distribution with nu
// degrees of freedom and noncentrality lambda at x, each computed as itself.
// Accepts x >= 0 (an infinite x is an overflow Fault), 0 < nu <=
// largest_degrees and 0 <= lambda <= largest_lambda; raises DomainError
// otherwise. At lambda = 0, the central law's tails exactly.
Tails noncentral_chi_square_tails(double x, double nu, double lambda);

// The same as logarithms in extended precision, for x > 0 finite, nu > 0
// and lambda > 0 unchecked: what the quantile and the noncentrality solve on.
LogTails noncentral_chi_square_log_tails(long double x, long double nu, long double lambda);

}  // namespace engine
