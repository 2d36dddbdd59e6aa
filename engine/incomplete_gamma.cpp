#include "engine/incomplete_gamma.h"

#include "engine/deviance.h"
#include "engine/poisson_term.h"
#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

namespace {

// A few units in the last place: a fraction whose convergents agree to that
// is done (demanding one ulp can round forever around 1 at huge x).
const Real precision = 1e-15;
// No argument needs more than some hundreds of passes (a < 500 here); the
// bound only makes a fault of a fraction that would not settle.
constexpr long most_terms = 100'000;

// P(a, x) = x^a e^-x / Gamma(a + 1) * (1 + x/(a+1) + x^2/((a+1)(a+2)) + ...).
// Below x = a + 1 the ratio of the terms stays under 1 from the start.
IncompleteGamma series(Real a, Real x)
{
    Real sum = 1, term = 1, n = a;
    long terms = 0;
    do {
        n = n + 1;
        term = (term * x) / n;
        sum = sum + term;
        if (++terms > most_terms) throw numeric::Fault(numeric::FaultKind::NoConvergence);
    } while (term > sum * precision);
    const Real P = Real(poisson_term(a.value(), x.value())) * sum;
    return {P.value(), (1 - P).value(), terms};
}

// Q(a, x) = x^a e^-x / Gamma(a) * 1/(x+1-a- 1(1-a)/(x+3-a- 2(2-a)/(x+5-a- ...))),
// by the modified Lentz method. Converges quickly once x exceeds a + 1.
IncompleteGamma continued_fraction(Real a, Real x)
{
    const Real tiny = 1e-300;  // stands in for a zero denominator
    Real b = (x + 1) - a;
    Real c = 1 / tiny;
    Real d = 1 / b;
    Real h = d;
    long terms = 0;
    for (Real i = 1;; i = i + 1) {
        const Real an = -i * (i - a);
        b = b + 2;
        d = an * d + b;
        if (numeric::abs(d) < tiny) d = tiny;
        c = b + an / c;
        if (numeric::abs(c) < tiny) c = tiny;
        d = 1 / d;
        const Real delta = d * c;
        h = h * delta;
        if (++terms > most_terms) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        if (numeric::abs(delta - 1) <= precision) break;
    }
    const Real Q = (a * Real(poisson_term(a.value(), x.value()))) * h;
    return {(1 - Q).value(), Q.value(), terms};
}

// erfc(sqrt(y2))/2 and erfc(-sqrt(y2))/2, the two halves of the normal-like
// term, from one Q(1/2, y2): erfc(y) = Q(1/2, y^2), erfc(-y) = 1 + P(1/2, y^2).
// a = 1/2 takes the short paths above.
struct HalfErfc {
    Real tail, body;
};
HalfErfc half_erfc(Real y2)
{
    if (y2 == 0) return {0.5, 0.5};
    const Real half = 0.5;
    const IncompleteGamma g = y2 < 1.5 ? series(half, y2) : continued_fraction(half, y2);
    return {0.5 * Real(g.Q), 0.5 * (1 + Real(g.P))};
}

// Temme: Q(a, x) = erfc(eta sqrt(a/2))/2 + e^(-a eta^2/2)/sqrt(2 pi a) (c0(eta) + c1(eta)/a + ...),
// with eta^2/2 = lambda - 1 - ln lambda, lambda = x/a, eta of the sign of lambda - 1.
IncompleteGamma temme(Real a, Real x)
{
    const Real two_pi = 6.283185307179586477;
    const Real mu = (x - a) / a;                    // lambda - 1
    const Real half_a_eta2 = deviance(a.value(), x.value());  // a (lambda - 1 - ln lambda)
    const bool below = mu < 0;
    Real eta = numeric::sqrt((2 * half_a_eta2) / a);
    if (below) eta = -eta;

    // Near eta = 0 the closed forms cancel to nothing; their Taylor series take over.
    Real c0, c1;
    if (numeric::abs(eta) < 0.1) {
        c0 = ((-1.0 / 3) + eta * ((1.0 / 12) + eta * ((-2.0 / 135) + eta * ((1.0 / 864) + eta * (1.0 / 2835)))));
        c1 = (-1.0 / 540) + eta * ((-1.0 / 288) + eta * (1.0 / 378));
    } else {
        // In reciprocals: mu^3 overflows for x beyond about 1e102 a.
        const Real m = 1 / mu, e = 1 / eta;
        c0 = m - e;
        c1 = (((e * e) * e - (m * m) * m) - m * m) - m / 12;
    }
    const Real R = (numeric::exp(-half_a_eta2) / numeric::sqrt(two_pi * a)) * (c0 + c1 / a);
    const HalfErfc h = half_erfc(half_a_eta2);
    const Real Q = (below ? h.body : h.tail) + R;
    const Real P = (below ? h.tail : h.body) - R;
    return {P.value(), Q.value(), 0};
}

}  // namespace

IncompleteGamma incomplete_gamma(double a_in, double x_in)
{
    const Real a = a_in, x = x_in;
    if (x == 0) return {0, 1, 0};
    if (a >= incomplete_gamma_large_a) return temme(a, x);
    if (x < a + 1) return series(a, x);
    return continued_fraction(a, x);
}

}  // namespace engine
