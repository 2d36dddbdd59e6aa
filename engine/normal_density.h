#pragma once
// ln phi(z), the logarithm of the standard normal density, for any finite z;
// raises an overflow Fault for an infinite z. The density is never 0 at a
// finite z, so the logarithm is never -infinity: beyond |z| = 1.896e154, where
// -z^2/2 leaves the range of a double, it stops at the lowest double.

namespace engine {

double normal_log_density(double z);

}  // namespace engine
