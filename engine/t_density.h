#pragma once
// ln of Student's t density with nu degrees of freedom at t, for any finite t
// (else an overflow Fault) and 0 < nu <= largest_degrees (else DomainError).

namespace engine {

double t_log_density(double t, double nu);

}  // namespace engine
