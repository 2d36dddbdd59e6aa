#pragma once

namespace engine {

struct StudentT {
    double C;     // distribution function at t
    long passes;  // passes of the series loop
};

// Student t distribution function with nu degrees of freedom, by the finite
// trigonometric series of Abramowitz-Stegun 26.7.3 (odd nu) and 26.7.4 (even nu).
StudentT student_t(double t, double nu);

}  // namespace engine
