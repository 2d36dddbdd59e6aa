#pragma once

namespace engine {

// ln of the density of the sample correlation of n pairs from a bivariate
// normal with correlation rho, at r. Accepts -1 <= r <= 1, 3 <= n <=
// largest_pairs and -1 < rho < 1, raising DomainError otherwise; at r = +-1
// the density is 0 above 4 pairs (-infinity), finite at 4 and infinite below
// (an overflow Fault).
double correlation_log_density(double r, double n, double rho);

}  // namespace engine
