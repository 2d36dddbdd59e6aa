#pragma once

namespace engine {

struct ChiSquareUpper {
    double P;          // upper-tail probability
    long terms_added;  // terms of the series added to S after its leading 1
};

// Upper tail of the chi-square distribution at x >= 0 with nu degrees of
// freedom, nu a whole number of at least 1, by the power series of the
// distribution function, cut at the first term below 1e-7. Raises
// numeric::Fault where the arithmetic fails (x = 0 with an odd nu, x^k beyond
// a double); chi_square chooses it only where it holds.
ChiSquareUpper chi_square_upper(double x, double nu);

}  // namespace engine
