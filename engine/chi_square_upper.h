#pragma once

namespace engine {

struct ChiSquareUpper {
    double P;          // upper-tail probability
    long terms_added;  // terms of the series added to S after its leading 1
};

// Upper tail of the chi-square distribution with nu degrees of freedom at x,
// by the power series of the distribution function, cut at the first term
// below 1e-7. Raises numeric::Fault where the arithmetic fails.
ChiSquareUpper chi_square_upper(double x, double nu);

}  // namespace engine
