#pragma once

namespace engine {

// The F beyond which the F distribution with nu1 (numerator) and nu2
// (denominator) degrees of freedom has its upper tail alpha: P(X > F) =
// alpha. The critical value of the upper tail is F(alpha), that of the
// doubled tail F(alpha/2). Accepts 0 < alpha < 1 and 0 < nu1, nu2 <=
// largest_degrees; raises DomainError otherwise, and an overflow or
// underflow Fault where F is beyond the range of a double.
double f_upper_quantile(double alpha, double nu1, double nu2);

// The F below which the lower tail is alpha: P(X < F) = alpha, found on the
// lower tail itself however small alpha is.
double f_lower_quantile(double alpha, double nu1, double nu2);

}  // namespace engine
