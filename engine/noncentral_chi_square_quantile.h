#pragma once

namespace engine {

// The x beyond which the noncentral chi-square distribution with nu degrees
// of freedom and noncentrality lambda has its upper tail alpha. Accepts
// 0 < alpha < 1, 0 < nu <= largest_degrees and 0 <= lambda <= largest_lambda;
// raises DomainError otherwise, and an underflow Fault where x is below the
// smallest double. At lambda = 0, the central quantile.
double noncentral_chi_square_upper_quantile(double alpha, double nu, double lambda);

// The x below which the same law has its lower tail alpha, P(X < x) = alpha,
// found on the lower tail itself however small alpha is; the same domain and
// faults. At lambda = 0, the central lower quantile.
double noncentral_chi_square_lower_quantile(double alpha, double nu, double lambda);

}  // namespace engine
