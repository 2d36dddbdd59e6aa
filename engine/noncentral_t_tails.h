#pragma once
#include "engine/log_tails.h"
#include "engine/probability.h"

namespace engine {

// Lower and upper tail of the noncentral t distribution with nu degrees of
// freedom and noncentrality delta at t, each computed as itself. Accepts any
// finite t (an infinite one is an overflow Fault), 0 < nu <= largest_degrees
// and |delta| <= largest_delta; raises DomainError otherwise. At delta = 0,
// the central law's tails exactly.
Tails noncentral_t_tails(double t, double nu, double delta);

// The same as logarithms in extended precision, for t finite, nu > 0 and
// delta != 0 unchecked: what the quantile and the noncentrality solve on.
LogTails noncentral_t_log_tails(long double t, long double nu, long double delta);

}  // namespace engine
