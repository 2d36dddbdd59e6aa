#pragma once

namespace engine {

// Gamma(k + l + 1) / (Gamma(k + 1) Gamma(l + 1)) p^k q^l for k, l > 0 and
// p + q = 1. Both halves are given, so that neither l nor q is rounded from a
// difference; full relative precision at any size of k and l.
double binomial_term(double k, double l, double p, double q);

}  // namespace engine
