#pragma once
#include "engine/noncentrality.h"

namespace engine {

// The rho at which the upper tail P(R > r) of the sample correlation of n
// pairs is `upper` (the tail rises with rho). Where no rho in (-1, 1)
// reaches it, the end nearest it (-1 or 1) as a bound. Accepts 0 < upper <
// 1, -1 <= r <= 1 and 3 <= n <= largest_pairs; raises DomainError otherwise.
Noncentrality correlation_rho(double r, double n, double upper);

}  // namespace engine
