#pragma once

namespace engine {

// The t beyond which Student's t distribution with nu degrees of freedom has
// its upper tail alpha: P(T > t) = alpha, negative above 1/2. The one-tailed
// critical value is t(alpha), the two-tailed one t(alpha/2). Accepts
// 0 < alpha < 1 and 0 < nu <= largest_degrees; raises DomainError otherwise,
// and an overflow Fault where t is beyond the largest double (tiny alpha at
// small nu: the tail falls as t^-nu).
double t_upper_quantile(double alpha, double nu);

}  // namespace engine
