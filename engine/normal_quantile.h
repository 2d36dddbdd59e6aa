#pragma once

namespace engine {

// The z beyond which the standard normal's upper tail is alpha: P(Z > z) =
// alpha, for 0 < alpha < 1 (negative above 1/2); raises DomainError
// otherwise. The one-tailed critical value is z(alpha), the two-tailed one
// z(alpha/2).
double normal_upper_quantile(double alpha);

}  // namespace engine
