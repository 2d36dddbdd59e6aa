#include "engine/incomplete_gamma.h"

#include <cmath>

#include "engine/incomplete_gamma_parts.h"
#include "engine/numeric/fault.h"

namespace engine {

LogIncompleteGamma log_incomplete_gamma(long double a, long double x)
{
    namespace parts = incomplete_gamma_parts;
    if (!(a > 0) || !(x >= 0) || !std::isfinite(a) || !std::isfinite(x))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double ln_half = -0.693147180559945309417232121458176568L;
    long terms = 0;

    if (x == 0) return {{-INFINITY, 0}, 0};
    if (a >= incomplete_gamma_large_a && std::fabs(x - a) < incomplete_gamma_expansion_width * a) {
        const parts::TemmeTails t = parts::temme(a, x);
        return {{t.lower, t.upper}, 0};
    }
    if (x < a + 1 || x < 1.5L) {
        const long double log_p = parts::log_series(a, x, terms);
        if (log_p <= ln_half || a >= 1 || x >= 1.5L) return {from_lower(log_p), terms};
        // P near 1 with a below 1: only a direct Q keeps Q's digits.
        const long double q = parts::small_shape_upper(a, x, terms);
        return {from_upper(std::log(q)), terms};
    }
    return {from_upper(parts::log_fraction(a, x, terms)), terms};
}

IncompleteGamma incomplete_gamma(double a, double x)
{
    const LogIncompleteGamma g = log_incomplete_gamma(a, x);
    const Tails t = rounded(g.tails);
    return {t.lower, t.upper, g.terms};
}

}  // namespace engine
