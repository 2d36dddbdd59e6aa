#pragma once
#include "engine/evaluation.h"

namespace engine {

struct TDistribution {
    double C;  // distribution function at t
    Evaluation evaluation;
};

// Student t distribution function with nu degrees of freedom at t. Accepts
// any finite t and 0 < nu <= largest_degrees; raises DomainError otherwise.
TDistribution t_distribution(double t, double nu);

// Largest nu the trigonometric series answers: 5e4 passes at most, some 9 ms
// where the terms sink into subnormal numbers.
inline constexpr double t_series_largest_degrees = 100'000;

}  // namespace engine
