#pragma once

namespace engine {

// ln Gamma(a) for a whole or half-whole a > 0 (its only domain: the steps
// stop at 1 or 1/2), by adding logarithms one by one. Makes about a passes.
double log_gamma_step(double a);

}  // namespace engine
