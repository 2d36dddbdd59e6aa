#pragma once

namespace engine {

// m^a e^(-m) / Gamma(a + 1) for a > 0, m > 0, to full relative precision
// also where a and m are large and close (the peak of an incomplete gamma).
double poisson_term(double a, double m);

}  // namespace engine
