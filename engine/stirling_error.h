#pragma once

namespace engine {

// ln Gamma(z + 1) - ((z + 1/2) ln z - z + ln sqrt(2 pi)): what Stirling's
// formula leaves out, for z > 0. Kept apart so that ratios of gamma functions
// at large arguments never subtract two huge logarithms.
double stirling_error(double z);

}  // namespace engine
