#include "engine/log_gamma_step.h"

#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

double log_gamma_step(double a_in)
{
    const Real ln_sqrt_pi = 0.57236494;
    Real a = a_in;
    Real G = 0;
    for (;;) {
        a = a - 1;
        if (a <= 0) break;
        G = G + numeric::log(a);
    }
    // The count ended below zero: a half-whole argument, Gamma(1/2) = sqrt(pi).
    if (!(a == 0)) G = G + ln_sqrt_pi;
    return G.value();
}

}  // namespace engine
