#pragma once
#include "engine/probability.h"

namespace engine {

struct FTails {
    Probability lower;    // P(X < F)
    Probability upper;    // P(X > F)
    Probability doubled;  // twice the smaller tail
};

// The tails of the F distribution with nu1 (numerator) and nu2 (denominator)
// degrees of freedom at F. Accepts F >= 0 and 0 < nu1, nu2 <= largest_degrees;
// raises DomainError otherwise.
FTails f_tails(double F, double nu1, double nu2);

}  // namespace engine
