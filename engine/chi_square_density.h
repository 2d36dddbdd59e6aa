#pragma once
// ln of the chi-square density with nu degrees of freedom at x, for
// 0 < nu <= largest_degrees (else DomainError) and any finite x (else an
// overflow Fault). Left of 0 the density is 0: -infinity, not an error. At
// x = 0 it is +infinity below 2 degrees, 1/2 at 2 and 0 above.

namespace engine {

double chi_square_log_density(double x, double nu);

}  // namespace engine
