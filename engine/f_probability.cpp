#include "engine/f_probability.h"

#include "engine/log_gamma_step.h"
#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

namespace {
Real lambda(Real a) { return log_gamma_step(a.value()); }
}  // namespace

FProbability f_probability(double F_in, double nu1_in, double nu2_in)
{
    const Real delta = f_delta;
    const Real F = F_in, nu1 = nu1_in, nu2 = nu2_in;

    const Real p = nu2 / 2;
    const Real q = nu1 / 2;
    Real s = q + p;

    // L = ln B(p, q)
    Real L = lambda(p);
    L = L + lambda(q);
    L = L - lambda(s);

    const Real x = nu2 / (nu2 + nu1 * F);

    // Run the series on whichever tail converges the faster.
    Real X, Y, a, b;
    bool w = false;
    if (p >= s * x) {
        X = x; Y = 1 - x; a = p; b = q; w = true;
    } else {
        X = 1 - x; Y = x; a = q; b = p;
    }

    Real T = 1;
    Real i = 1;
    Real S = 1;
    Real N = numeric::floor(b + Y * s);
    Real R = X / Y;
    Real V;
    long terms = 0;

    // First phase: the factor is b - i while N counts down; then the second
    // phase, whose factor is s, growing by one a term.
    bool first_phase = true;
    for (;;) {
        if (first_phase) {
            V = b - i;
            if (N == 0) R = X;
        }
        T = ((T * V) * R) / (a + i);
        S = S + T;
        ++terms;
        if (numeric::abs(T) <= delta && numeric::abs(T) <= S * delta) break;
        i = i + 1;
        N = N - 1;
        first_phase = N >= 0;
        if (!first_phase) {
            V = s;
            s = s + 1;
        }
    }

    const Real E = numeric::exp((a * numeric::log(X) + (b - 1) * numeric::log(Y)) - L);
    Real C = (S * E) / a;
    if (w) C = 1 - C;
    return {C.value(), terms};
}

}  // namespace engine
