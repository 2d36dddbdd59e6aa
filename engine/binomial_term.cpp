#include "engine/binomial_term.h"

#include "engine/deviance.h"
#include "engine/stirling_error.h"
#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

double binomial_term(double k_in, double l_in, double p_in, double q_in)
{
    const Real ln_2pi = 1.837877066409345483;
    const Real k = k_in, l = l_in, p = p_in, q = q_in;
    const Real n = k + l;

    // Each factorial by Stirling's formula and its error; the powers by their
    // deviance from the means n p and n q, small where the term is large.
    const Real lc = (((Real(stirling_error(n.value())) - Real(stirling_error(k_in))) -
                      Real(stirling_error(l_in))) -
                     Real(deviance(k_in, (n * p).value()))) -
                    Real(deviance(l_in, (n * q).value()));
    const Real lf = (ln_2pi + numeric::log(k)) + numeric::log(l / n);
    return numeric::exp(lc - 0.5 * lf).value();
}

}  // namespace engine
