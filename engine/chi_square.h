#pragma once
#include "engine/evaluation.h"

namespace engine {

struct ChiSquare {
    double P;  // upper-tail probability
    Evaluation evaluation;
};

// Upper tail of the chi-square distribution with nu degrees of freedom at x.
// Accepts x >= 0 and 0 < nu <= largest_degrees; raises DomainError otherwise.
ChiSquare chi_square(double x, double nu);

}  // namespace engine
