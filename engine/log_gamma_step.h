#pragma once

namespace engine {

// ln Gamma(a) by adding logarithms one by one: exact for whole and half-whole
// a only. Makes about a passes.
double log_gamma_step(double a);

}  // namespace engine
