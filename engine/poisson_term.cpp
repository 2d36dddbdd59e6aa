#include "engine/poisson_term.h"

#include "engine/deviance.h"
#include "engine/log_gamma.h"
#include "engine/stirling_error.h"
#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

double poisson_term(double a_in, double m_in)
{
    const Real two_pi = 6.283185307179586477;
    const Real a = a_in, m = m_in;

    // Below 1 the logarithms stay small: no cancellation to avoid.
    if (a < 1)
        return numeric::exp((a * numeric::log(m) - m) - Real(log_gamma((a + 1).value()))).value();

    const Real exponent = -Real(stirling_error(a_in)) - Real(deviance(a_in, m_in));
    return (numeric::exp(exponent) / numeric::sqrt(two_pi * a)).value();
}

}  // namespace engine
