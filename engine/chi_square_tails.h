#pragma once
#include "engine/probability.h"

namespace engine {

// Lower and upper tail of the chi-square distribution with nu degrees of
// freedom at x: P(nu/2, x/2) and Q(nu/2, x/2). Accepts x >= 0 and
// 0 < nu <= largest_degrees; raises DomainError otherwise.
Tails chi_square_tails(double x, double nu);

}  // namespace engine
