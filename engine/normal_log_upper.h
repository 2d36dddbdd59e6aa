#pragma once

namespace engine {

// ln Q(z), the logarithm of the standard normal's upper tail P(Z > z), for
// any finite z in extended precision: to a few units of 1e-19 relative to
// Q(z) itself on both sides, and far below the smallest double. Cheaper than
// the incomplete gamma's Q(1/2, z^2/2): the noncentral t's integrals call it
// at every node.
long double log_normal_upper(long double z);

}  // namespace engine
