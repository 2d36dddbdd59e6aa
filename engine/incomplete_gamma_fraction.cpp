#include <cmath>

#include "engine/incomplete_gamma_parts.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_term.h"

namespace engine::incomplete_gamma_parts {

// Q(a, x) = x^a e^-x / Gamma(a) * 1/(x+1-a- 1(1-a)/(x+3-a- 2(2-a)/(x+5-a- ...))),
// by the modified Lentz method. Converges quickly once x exceeds a + 1.
long double log_fraction(long double a, long double x, long& terms)
{
    if (!(a > 0) || !(x > 0)) throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double tiny = 1e-4000L;      // stands in for a zero denominator
    const long double precision = 1e-19L;   // a few units in the last place
    long double b = (x + 1) - a;
    long double c = 1 / tiny;
    long double d = 1 / b;
    long double h = d;
    for (long double i = 1;; i += 1) {
        const long double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (std::fabs(d) < tiny) d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny) c = tiny;
        d = 1 / d;
        const long double delta = d * c;
        h *= delta;
        if (++terms > most_terms) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        if (std::fabs(delta - 1) <= precision) break;
    }
    return (std::log(a) + log_poisson_term(a, x)) + std::log(h);
}

}  // namespace engine::incomplete_gamma_parts
