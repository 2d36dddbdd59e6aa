#pragma once
#include "engine/evaluation.h"

namespace engine {

struct FDistribution {
    double C;  // distribution function at F
    Evaluation evaluation;
};

// F distribution function with nu1 (numerator) and nu2 (denominator) degrees
// of freedom at F. Accepts F >= 0 and 0 < nu1, nu2 <= largest_degrees;
// raises DomainError otherwise.
FDistribution f_distribution(double F, double nu1, double nu2);

// Largest degrees the incomplete beta series of AS 63 answers: its terms and
// its log-gamma steps grow with the degrees (1.6 million terms at 1 and 99999).
inline constexpr double f_series_largest_degrees = 100'000;

}  // namespace engine
