#include "engine/incomplete_beta.h"

#include <cmath>
#include <utility>

#include "engine/binomial_term.h"
#include "engine/incomplete_beta_parts.h"
#include "engine/numeric/fault.h"

namespace engine {

namespace {

// The continued fraction 1/(1+ d1/(1+ d2/(1+ ...))) of I_x(a, b) / (x^a y^b / (a B(a, b))),
// d(2m) = m(b-m) x / ((a+2m-1)(a+2m)), d(2m+1) = -(a+m)(a+b+m) x / ((a+2m)(a+2m+1)),
// by the modified Lentz method; one division serves both coefficients of a pass.
//
// At large a and x near 1 each step forms 1 - x (1 + O(1/a)) and loses up to
// a of its digits: the fraction runs in Wide, quadruple precision, there, x
// formed from the odds r in it.
template <class Wide>
long double fraction(long double r, long double a_in, long double b_in, long& terms)
{
    const Wide tiny = 1e-4000L;     // stands in for a zero denominator
    const Wide precision = 1e-19L;  // a few units in the last place of the result
    constexpr long most_terms = 100'000;  // only makes a fault of a fraction that would not settle
    const Wide x = 1 / (1 + Wide(r)), y = Wide(r) / (1 + Wide(r)), a = a_in, b = b_in, apb = a + b;
    auto magnitude = [](Wide v) { return v < 0 ? -v : v; };

    Wide c = 1;
    // 1 - (a + b) x/(a + 1), from y where x is near 1.
    Wide d = ((a + 1) * y - (b - 1) * x) / (a + 1);
    if (magnitude(d) < tiny) d = tiny;
    d = 1 / d;
    Wide h = d;
    for (Wide m = 1;; m += 1) {
        const Wide m2 = 2 * m;
        const Wide even_num = (m * (b - m)) * x, even_den = ((a - 1) + m2) * (a + m2);
        const Wide odd_num = -((a + m) * (apb + m)) * x, odd_den = (a + m2) * ((a + 1) + m2);
        const Wide common = 1 / (even_den * odd_den);
        const Wide coefficients[] = {(even_num * odd_den) * common, (odd_num * even_den) * common};
        Wide delta = 1;
        for (Wide coefficient : coefficients) {
            d = 1 + coefficient * d;
            if (magnitude(d) < tiny) d = tiny;
            c = 1 + coefficient / c;
            if (magnitude(c) < tiny) c = tiny;
            d = 1 / d;
            delta = d * c;
            h *= delta;
        }
        if (++terms > most_terms) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        if (magnitude(delta - 1) <= precision) break;
    }
    const long double result = static_cast<long double>(h);
    if (!(result > 0) || !std::isfinite(result)) throw numeric::Fault(numeric::FaultKind::NoConvergence);
    return result;
}

#if defined(__SIZEOF_FLOAT128__) && (defined(__x86_64__) || defined(__i386__))
using Quadruple = __float128;
#else
using Quadruple = long double;  // where long double is itself quadruple (WebAssembly)
#endif

// The steps lose about 1/(1 - x) of their digits, and a large a needs x
// near 1 in the tails (b small): quadruple precision there, where the
// fraction is short (under 100 passes at a = 5e8, b = 1/2); extended
// precision elsewhere, where it may take thousands (a = b = 5e8) and loses
// some 1e5 units of 1e-19.
long double fraction(long double r, long double a, long double b, long& terms)
{
    if (a + b >= 1e4L && r / (1 + r) < 1e-3L) return fraction<Quadruple>(r, a, b, terms);
    return fraction<long double>(r, a, b, terms);
}

}  // namespace

LogIncompleteBeta log_incomplete_beta(long double r, long double a, long double b)
{
    if (!(a > 0) || !(b > 0) || !std::isfinite(a) || !std::isfinite(b) || !(r >= 0) || !std::isfinite(r))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    if (r == 0) return {{0, -INFINITY}, 0};  // x = 1

    long terms = 0;
    // I_x(a, b) = 1 - I_y(b, a): the fraction converges below x = (a+1)/(a+b+2).
    const bool swapped = 1 / (1 + r) > (a + 1) / ((a + b) + 2);
    if (swapped) {
        r = 1 / r;
        std::swap(a, b);
    }
    // x^a y^b / (a B(a, b)) = (b / (a + b)) * binomial term, free of the
    // cancellation of ln Gamma(a + b) - ln Gamma(a) - ln Gamma(b) at large a, b.
    long double log_i;
    if (a <= incomplete_beta_parts::small_shape_below) {
        log_i = incomplete_beta_parts::log_small_shape(r, a, b, terms);
    } else {
        const long double log_front = std::log(b / (a + b)) + log_binomial_term(a, b, r);
        log_i = log_front + std::log(fraction(r, a, b, terms));
    }
    return {swapped ? from_upper(log_i) : from_lower(log_i), terms};
}

IncompleteBeta incomplete_beta(long double r, long double a, long double b)
{
    const LogIncompleteBeta result = log_incomplete_beta(r, a, b);
    const Tails t = rounded(result.tails);
    return {t.lower, t.upper, result.terms};
}

}  // namespace engine
