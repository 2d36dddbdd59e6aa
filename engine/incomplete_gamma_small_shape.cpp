#include <cmath>

#include "engine/incomplete_gamma_parts.h"
#include "engine/log_gamma.h"
#include "engine/numeric/fault.h"

namespace engine::incomplete_gamma_parts {

// Q(a, x) = 1 - x^a/Gamma(a + 1) - x^a/Gamma(a) * sum_{n>=1} (-1)^n x^n / (n! (a + n)),
// from gamma(a, x) = sum_{n>=0} (-1)^n x^(a+n) / (n! (a + n)). The first two
// terms are -expm1(u), u = a ln x - ln Gamma(1 + a): as a tends to 0, Q tends
// to a E1(x) and keeps every digit, where 1 - P keeps none.
long double small_shape_upper(long double a, long double x, long& terms)
{
    if (!(a > 0) || !(a < 1) || !(x > 0) || !(x < 1.5L)) throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double u = a * std::log(x) - (a <= 0.25L ? log_gamma_1p(a) : log_gamma(1 + a));

    long double sum = 0, power = 1;  // power = (-1)^n x^n / n!
    for (long double n = 1;; n += 1) {
        power = -power * x / n;
        const long double term = power / (a + n);
        sum += term;
        if (++terms > most_terms) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        if (std::fabs(term) <= 1e-21L * std::fabs(sum)) break;
    }
    return -std::expm1(u) - (a * std::exp(u)) * sum;
}

}  // namespace engine::incomplete_gamma_parts
