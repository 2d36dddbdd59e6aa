#pragma once
// ln of the noncentral chi-square density with nu degrees of freedom and
// noncentrality lambda at x, for 0 < nu <= largest_degrees and 0 <= lambda
// <= largest_lambda (else DomainError) and any finite x (else an overflow
// Fault). Left of 0 the density is 0: -infinity. At x = 0 it is +infinity
// below 2 degrees, e^(-lambda/2)/2 at 2 and 0 above. At lambda = 0, the
// central density exactly.

namespace engine {

double noncentral_chi_square_log_density(double x, double nu, double lambda);

}  // namespace engine
