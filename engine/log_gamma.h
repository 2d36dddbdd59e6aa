#pragma once

namespace engine {

// ln Gamma(z) for z > 0, to about 1e-15 relative (absolute near the zeros at
// 1 and 2).
double log_gamma(double z);

}  // namespace engine
