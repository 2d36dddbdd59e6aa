#pragma once
#include "engine/noncentrality.h"

namespace engine {

// The lambda at which the noncentral F upper tail at x with nu1 and nu2
// degrees of freedom is `upper` (the tail rises with lambda). Where no lambda
// in [0, largest_lambda] reaches it, that end as a bound: 0 where `upper` is
// at or below the central tail, largest_lambda where it is at or above the
// tail there. Accepts 0 < upper < 1, x >= 0 (an infinite x is an overflow
// Fault) and 0 < nu1, nu2 <= largest_degrees; raises DomainError otherwise.
Noncentrality f_noncentrality(double x, double nu1, double nu2, double upper);

}  // namespace engine
