#pragma once
// ln of the noncentral t density with nu degrees of freedom and noncentrality
// delta at t, for any finite t (else an overflow Fault), 0 < nu <=
// largest_degrees and |delta| <= largest_delta (else DomainError). At
// delta = 0, the central density exactly.

namespace engine {

double noncentral_t_log_density(double t, double nu, double delta);

}  // namespace engine
