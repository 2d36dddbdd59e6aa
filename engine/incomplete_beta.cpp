#include "engine/incomplete_beta.h"

#include <cmath>
#include <utility>

#include "engine/binomial_term.h"
#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

namespace {

// x^a y^b / (a B(a, b)) times the continued fraction 1/(1+ d1/(1+ d2/(1+ ...))),
// d(2m) = m(b-m) x / ((a+2m-1)(a+2m)), d(2m+1) = -(a+m)(a+b+m) x / ((a+2m)(a+2m+1)),
// by the modified Lentz method.
//
// The loop runs on plain doubles: it makes up to 3921 passes (a = b = 5e8) and
// is what bounds the time, while nothing in it can fault: the denominators are
// kept off zero by `tiny`, every factor stays near 1, and the result is checked
// when it leaves. One division serves both coefficients of a pass.
Real fraction(Real x_in, Real a_in, Real b_in, long& terms)
{
    const double tiny = 1e-300;           // stands in for a zero denominator
    const double precision = 1e-15;       // a few ulps: one ulp can round forever around 1
    constexpr long most_terms = 100'000;  // only makes a fault of a fraction that would not settle
    const double x = x_in.value(), a = a_in.value(), b = b_in.value(), apb = a + b;

    double c = 1;
    double d = 1 - (apb * x) / (a + 1);
    if (std::fabs(d) < tiny) d = tiny;
    d = 1 / d;
    double h = d;
    for (double m = 1;; m = m + 1) {
        const double m2 = 2 * m;
        const double even_num = (m * (b - m)) * x, even_den = ((a - 1) + m2) * (a + m2);
        const double odd_num = -((a + m) * (apb + m)) * x, odd_den = (a + m2) * ((a + 1) + m2);
        const double common = 1 / (even_den * odd_den);
        const double coefficients[] = {(even_num * odd_den) * common, (odd_num * even_den) * common};
        double delta = 1;
        for (double coefficient : coefficients) {
            d = 1 + coefficient * d;
            if (std::fabs(d) < tiny) d = tiny;
            c = 1 + coefficient / c;
            if (std::fabs(c) < tiny) c = tiny;
            d = 1 / d;
            delta = d * c;
            h = h * delta;
        }
        if (++terms > most_terms) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        if (std::fabs(delta - 1) <= precision) break;
    }
    return Real::checked(h);
}

// I_x(a, b) on the side where the fraction converges.
Real regularized(Real x, Real y, Real a, Real b, long& terms)
{
    // x^a y^b / B(a, b) = (a b / (a + b)) * binomial term, free of the
    // cancellation of ln Gamma(a + b) - ln Gamma(a) - ln Gamma(b) at large a, b.
    const Real apb = a + b;
    const Real front = (b / apb) * Real(binomial_term(a.value(), b.value(), x.value(), y.value()));
    return front * fraction(x, a, b, terms);
}

}  // namespace

IncompleteBeta incomplete_beta(double x_in, double y_in, double a_in, double b_in)
{
    Real x = x_in, y = y_in, a = a_in, b = b_in;
    if (x == 0) return {0, 1, 0};
    if (y == 0) return {1, 0, 0};

    long terms = 0;
    const bool swapped = x > (a + 1) / ((a + b) + 2);
    if (swapped) {
        std::swap(x, y);
        std::swap(a, b);
    }
    const Real I = regularized(x, y, a, b, terms);
    if (swapped) return {(1 - I).value(), I.value(), terms};
    return {I.value(), (1 - I).value(), terms};
}

}  // namespace engine
