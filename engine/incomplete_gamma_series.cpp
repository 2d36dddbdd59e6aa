#include <cmath>

#include "engine/incomplete_gamma_parts.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_term.h"

namespace engine::incomplete_gamma_parts {

// P(a, x) = x^a e^-x / Gamma(a + 1) * (1 + x/(a+1) + x^2/((a+1)(a+2)) + ...).
// Below x = a + 1 the ratio of the terms stays under 1 from the start.
long double log_series(long double a, long double x, long& terms)
{
    if (!(a > 0) || !(x > 0)) throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double precision = 1e-20L;
    long double sum = 1, term = 1, n = a;
    do {
        n += 1;
        term = (term * x) / n;
        sum += term;
        if (++terms > most_terms) throw numeric::Fault(numeric::FaultKind::NoConvergence);
    } while (term > sum * precision);
    return log_poisson_term(a, x) + std::log(sum);
}

}  // namespace engine::incomplete_gamma_parts
