#pragma once
#include "engine/probability.h"

namespace engine {

// The binomial law's trials: whole, 1 to largest_trials.
inline constexpr double largest_trials = 1e9;

// The domain of the binomial law: n whole in [1, largest_trials] (trials),
// 0 < p < 1 (proportion), k in [0, n] (statistic); DomainError otherwise.
void require_binomial(double k, double n, double p);

// The tails of the binomial law with n trials and chance p of success at the
// count k, for an exact test, EACH INCLUDING k:
//   lower = P(X <= k),  upper = P(X >= k),
// so that they do NOT sum to 1 (they overlap in P(X = k)): lower is the
// P-value of X = k against smaller p, upper against larger p, and a test at
// level alpha rejects for X <= k while lower <= alpha/2 and for X >= k while
// upper <= alpha/2. (lower + upper = 1 + P(X = k).) A k between two counts
// bounds them: P(X <= floor k) and P(X >= ceil k). Each is computed as
// itself, with its logarithm, by the incomplete beta function.
Tails binomial_tails(double k, double n, double p);

}  // namespace engine
