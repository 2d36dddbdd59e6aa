#pragma once

namespace engine {

// The t beyond which the noncentral t distribution with nu degrees of
// freedom and noncentrality delta has its upper tail alpha, negative where
// alpha exceeds P(T > 0) = Phi(delta). Accepts 0 < alpha < 1, 0 < nu <=
// largest_degrees and |delta| <= largest_delta; raises DomainError
// otherwise, and an overflow Fault where |t| is beyond the largest double
// (tiny alpha at small nu: the tails fall as |t|^-nu). At delta = 0, the
// central quantile.
double noncentral_t_upper_quantile(double alpha, double nu, double delta);

}  // namespace engine
