#pragma once

namespace engine {

// The critical counts of the exact binomial test with n trials at chance p:
// the smallest k with P(X >= k) <= a, n + 1 where even P(X >= n) = p^n
// exceeds a (no count rejects); and the largest k with P(X <= k) <= a, -1
// where even P(X <= 0) = (1 - p)^n exceeds a. A test at level alpha rejects
// for X >= binomial_upper_critical(n, p, alpha/2) and for X <=
// binomial_lower_critical(n, p, alpha/2). Accepts 0 < a < 1 (probability)
// and the binomial's domain; DomainError otherwise.
double binomial_upper_critical(double n, double p, double a);
double binomial_lower_critical(double n, double p, double a);

}  // namespace engine
