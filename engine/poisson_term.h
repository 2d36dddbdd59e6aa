#pragma once

namespace engine {

// ln(m^a e^(-m) / Gamma(a + 1)) for a > 0, m > 0, in extended precision, to
// full relative precision of the term also where a and m are large and close
// (the peak of an incomplete gamma) and far below the smallest double.
long double log_poisson_term(long double a, long double m);

}  // namespace engine
