#pragma once

namespace engine {

// The polygamma function psi^(k)(z), the k-th derivative of the digamma
// psi = (ln Gamma)', for k = 0 to 3 and z >= 1, in extended precision: to a
// few units of 1e-19 relative (absolute near psi's zero at 1.4616).
long double polygamma(int k, long double z);

}  // namespace engine
