#pragma once

namespace engine {

// The x beyond which the chi-square distribution with nu degrees of freedom
// has its upper tail alpha: P(X > x) = alpha, the critical value at level
// alpha. Accepts 0 < alpha < 1 and 0 < nu <= largest_degrees; raises
// DomainError otherwise, and an underflow Fault where x is below the
// smallest double (tiny nu with alpha near 1).
double chi_square_upper_quantile(double alpha, double nu);

// The x below which the lower tail is alpha: P(X < x) = alpha, the lower
// critical value, found on the lower tail itself however small alpha is.
double chi_square_lower_quantile(double alpha, double nu);

}  // namespace engine
