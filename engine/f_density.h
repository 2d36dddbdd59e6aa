#pragma once
// ln of the F density with nu1 and nu2 degrees of freedom at F, for
// 0 < nu1, nu2 <= largest_degrees (else DomainError naming the degrees or the
// denominator degrees) and any finite F (else an overflow Fault). Left of 0
// the density is 0: -infinity, not an error. At F = 0 it is +infinity below
// 2 numerator degrees, 1 at 2 and 0 above.

namespace engine {

double f_log_density(double F, double nu1, double nu2);

}  // namespace engine
