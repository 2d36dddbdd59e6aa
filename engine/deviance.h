#pragma once

namespace engine {

// x ln(x / m) + m - x for x, m > 0: the exponent that separates x^a-like
// terms from their peak. Summed as a series where x is near m, since there
// the two halves agree to many digits and their difference would be noise.
double deviance(double x, double m);

}  // namespace engine
