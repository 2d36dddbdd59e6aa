#pragma once

namespace engine {

// The x beyond which the noncentral F distribution with nu1 and nu2 degrees
// of freedom and noncentrality lambda has its upper tail alpha. Accepts
// 0 < alpha < 1, 0 < nu1, nu2 <= largest_degrees and 0 <= lambda <=
// largest_lambda; raises DomainError otherwise, and an overflow or underflow
// Fault where x is beyond the range of a double. At lambda = 0, the central
// quantile.
double noncentral_f_upper_quantile(double alpha, double nu1, double nu2, double lambda);

// The x below which the same law has its lower tail alpha, P(X < x) = alpha,
// found on the lower tail itself however small alpha is; the same domain and
// faults. At lambda = 0, the central lower quantile.
double noncentral_f_lower_quantile(double alpha, double nu1, double nu2, double lambda);

}  // namespace engine
