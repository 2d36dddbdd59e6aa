#pragma once
#include <functional>

#include "engine/poisson_term.h"

namespace engine {

// An incomplete function at shape p, as a Poisson mixture needs it: the
// logarithms of its decreasing side D(p) (the gamma's P(p, y), the beta's
// I_z(p, b)), of its increasing side 1 - D(p), and of the step between
// neighbouring shapes, g(p) = D(p) - D(p + 1), which is positive.
struct MixtureShape {
    long double log_decreasing, log_increasing, log_step;
};

// The mixture sum_j w(k0 + j) F(a0 + j), j = 0, 1, ..., with the Poisson
// weights w(k) = e^-mu mu^k / Gamma(k + 1) and F one side of an incomplete
// function whose steps satisfy g(p + 1) / g(p) = (slope p + intercept) / (p + 1)
// (the gamma: slope 0, intercept y; the beta: slope z, intercept z b).
struct PoissonMixture {
    long double mu;      // the Poisson mean, > 0
    long double offset;  // k0: 0, or 1/2 for the t's odd half
    long double shape;   // a0 > 0
    long double slope, intercept;
    std::function<MixtureShape(long double p)> at;  // called a handful of times
};

// ln of the mixture of the increasing side (`increasing`) or of the
// decreasing one. `peak` and `spread` estimate where the terms are largest
// and how wide they lie (a saddle point's Poisson mean and its square root);
// a poor estimate costs time, not digits. Each term comes from its neighbour
// by the recurrences, summed in the direction in which they only add (the
// increasing side upward from the low end, the decreasing side downward from
// the high end), so no digit cancels; the end is checked to hold all but
// 1e-21 of the sum, and moved out and summed again where it does not.
// Where the terms spread over more than some thousands of shapes, the sum is
// the trapezoidal rule of the same terms over a continuous j, exact to far
// below a double's digits at such widths.
long double log_poisson_mixture(const PoissonMixture& mixture, bool increasing, long double peak,
                                long double spread);

// ln of the Poisson weight e^-mu mu^k / Gamma(k + 1), k >= 0.
inline long double log_poisson_weight(long double k, long double mu)
{
    return k == 0 ? -mu : log_poisson_term(k, mu);
}

}  // namespace engine
