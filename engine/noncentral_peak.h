#pragma once

namespace engine {

// Where the Poisson mixture of a noncentral chi-square or F tail has its
// largest terms. The saddle point of Y = X1 - c X2 at 0, X1 noncentral
// chi-square (nu1, lambda), X2 chi-square (nu2), tilts the Poisson index to
// the mean (lambda/2) v, v = 1/(1 - 2s); the tail's terms lie around it,
// some sqrt of it wide. Solving K'(s) = 0 is a quadratic in v:
//   lambda (1 + c) v^2 + (nu1 (1 + c) - lambda c) v - (c nu1 + c nu2) = 0,
// the chi-square at x being c = 0, c nu2 = x. Given as c and c nu2 so that
// neither needs nu2 itself; in extended range for any double x.
struct MixturePeak {
    long double peak, spread;
};
MixturePeak mixture_peak(long double lambda, long double nu1, long double c, long double c_nu2);

}  // namespace engine
