#pragma once

namespace engine {

// The x beyond which the noncentral chi-square distribution with nu degrees
// of freedom and noncentrality lambda has its upper tail alpha. Accepts
// 0 < alpha < 1, 0 < nu <= largest_degrees and 0 <= lambda <= largest_lambda;
// raises DomainError otherwise, and an underflow Fault where x is below the
// smallest double. At lambda = 0, the central quantile.
double noncentral_chi_square_upper_quantile(double alpha, double nu, double lambda);

}  // namespace engine
