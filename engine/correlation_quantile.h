#pragma once

namespace engine {

// The r at which the law of the sample correlation of n pairs with
// population correlation rho has its upper tail P(R > r) = p, or its lower
// tail P(R < r) = p. Accepts 0 < p < 1 and the law's domain
// (require_correlation_law), raising DomainError otherwise. Where the root
// lies nearer +-1 than the doubles beside them, that end. At rho = 0,
// t / sqrt(t^2 + n - 2) with t Student's quantile.
double correlation_upper_quantile(double p, double n, double rho);
double correlation_lower_quantile(double p, double n, double rho);

}  // namespace engine
