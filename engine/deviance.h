#pragma once

namespace engine {

// x ln(x / m) + m - x for x, m > 0, in extended precision: the exponent that
// separates x^a-like terms from their peak. Summed as a series where x is near
// m, since there the two halves agree to many digits and their difference
// would be noise.
long double deviance(long double x, long double m);

}  // namespace engine
