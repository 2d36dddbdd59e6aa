#pragma once

namespace engine {

// ln P(X = k) for the binomial law with n trials and chance p of success:
// -infinity for a k that is not a whole number. Domain: require_binomial.
double binomial_log_probability(double k, double n, double p);

}  // namespace engine
