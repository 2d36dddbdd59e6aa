#pragma once

namespace engine {

// Accuracy bound of the series' stopping test.
inline constexpr double f_delta = 1e-14;

struct FProbability {
    double C;    // distribution function at F
    long terms;  // terms of the incomplete beta series
};

// F distribution function at F >= 0 with nu1 (numerator) and nu2
// (denominator) degrees of freedom, both whole numbers of at least 1, from the
// incomplete beta series of algorithm AS 63. Raises numeric::Fault where the
// arithmetic fails; f_distribution chooses it only where it holds.
FProbability f_probability(double F, double nu1, double nu2);

}  // namespace engine
