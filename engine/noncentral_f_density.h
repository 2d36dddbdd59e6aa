#pragma once
// ln of the noncentral F density with nu1 and nu2 degrees of freedom and
// noncentrality lambda at x, for 0 < nu1, nu2 <= largest_degrees and 0 <=
// lambda <= largest_lambda (else DomainError naming the argument) and any
// finite x (else an overflow Fault). Left of 0 the density is 0: -infinity.
// At x = 0 it is +infinity below 2 numerator degrees, e^(-lambda/2) at 2 and
// 0 above. At lambda = 0, the central density exactly.

namespace engine {

double noncentral_f_log_density(double x, double nu1, double nu2, double lambda);

}  // namespace engine
