#pragma once

namespace engine {

struct StudentT {
    double C;     // distribution function at t
    long passes;  // passes of the series loop
};

// Student t distribution function at any finite t with nu degrees of freedom,
// nu a whole number of at least 1 (exact for those only), by the finite
// trigonometric series of Abramowitz-Stegun 26.7.3 (odd nu) and 26.7.4 (even
// nu). Raises numeric::Fault where the arithmetic fails; t_distribution
// chooses it only where it holds.
StudentT student_t(double t, double nu);

}  // namespace engine
