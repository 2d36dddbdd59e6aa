#pragma once

namespace engine {

// ln[Gamma(k + l + 1) / (Gamma(k + 1) Gamma(l + 1)) x^k y^l] for k, l > 0 at
// x = 1/(1 + r), y = r/(1 + r), r > 0, in extended precision. Given the odds
// r, the powers come from the exact differences l - k r, not from x and y
// rounded near 1 (where a^(1e-19) already moves x^a by 1e-10 at a = 5e8):
// full relative precision of the term at any size of k and l, and far below
// the smallest double.
long double log_binomial_term(long double k, long double l, long double r);

}  // namespace engine
