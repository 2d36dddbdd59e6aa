#pragma once
#include "engine/probability.h"

namespace engine {

struct TTails {
    Probability lower;       // P(T < t)
    Probability upper;       // P(T > t)
    Probability both_tails;  // P(|T| > |t|), twice the smaller tail
};

// The tails of Student's t distribution with nu degrees of freedom at t.
// Accepts any finite t and 0 < nu <= largest_degrees; raises DomainError otherwise.
TTails t_tails(double t, double nu);

}  // namespace engine
