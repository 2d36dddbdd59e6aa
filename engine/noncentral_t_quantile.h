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

// The t below which the same law has its lower tail alpha, P(T < t) =
// alpha, found on the tail alpha leaves small however small alpha is; the
// same domain and faults (an overflow Fault where t is below the lowest
// double). At delta = 0, the central t's lower quantile.
double noncentral_t_lower_quantile(double alpha, double nu, double delta);

}  // namespace engine
