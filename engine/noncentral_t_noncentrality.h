#pragma once
#include "engine/noncentrality.h"

namespace engine {

// The delta at which the noncentral t upper tail at t with nu degrees of
// freedom is `upper` (the tail rises with delta). Where no delta in
// [-largest_delta, largest_delta] reaches it, that end as a bound. Accepts
// 0 < upper < 1, any finite t (an infinite one is an overflow Fault) and
// 0 < nu <= largest_degrees; raises DomainError otherwise.
Noncentrality t_noncentrality(double t, double nu, double upper);

}  // namespace engine
