// Over u = ln w the integrand is exp(l(u)),
//   l(u) = -(w - delta)^2/2 - ln sqrt(2 pi) + u + ln G(w^2 / (2 c^2)),
// analytic and, about its peak, as smooth as its curvature says: the
// normal factor is a width 1 in w, and G (a gamma tail in ln x = 2u - ln 2c^2)
// turns over a width 1/sqrt(a) in ln x, no faster than the normal where c
// exceeds sqrt 2 (which the caller sees to). The trapezoidal rule in u from
// the peak outward, in logarithms relative to the peak's value, its step
// from the curvature there and halved until two rules agree to 1e-16, or
// to what the logarithms' own rounding leaves of the terms (1e-19 of l, a
// large number for a tail far below the smallest double): the rule
// converges exponentially in 1/h, so the finer one then holds far more.
#include "engine/normal_gamma_integral.h"

#include <cmath>
#include <functional>

#include "engine/continuous_sum.h"
#include "engine/incomplete_gamma.h"
#include "engine/numeric/fault.h"

namespace engine {

namespace {

constexpr long double agreement = 1e-16L;
const long double ln_sqrt_2pi = 0.918938533204672741780329736405617639L;

struct Integrand {
    long double a, ln_2c2, delta;
    bool upper;
    long double operator()(long double u) const
    {
        const long double w = std::exp(u);
        const LogTails g = log_incomplete_gamma(a, std::exp(2 * u - ln_2c2)).tails;
        return (-(w - delta) * (w - delta) / 2 - ln_sqrt_2pi) + u + (upper ? g.upper : g.lower);
    }
};

// The peak of l: stepping uphill from the normal factor's peak, then golden
// sections of the bracket.
long double find_peak(const Integrand& l, long double u)
{
    long double step = 0.5L, here = l(u);
    for (int i = 0; i < 200; ++i) {
        const long double right = l(u + step), left = l(u - step);
        if (right > here) u += step, here = right, step *= 2;
        else if (left > here) u -= step, here = left, step *= 2;
        else break;
    }
    long double lo = u - step, hi = u + step;
    const long double g = 0.381966011250105151795413165634361883L;
    for (int i = 0; i < 200 && hi - lo > 1e-9L * (1 + std::fabs(u)); ++i) {
        const long double m1 = lo + g * (hi - lo), m2 = hi - g * (hi - lo);
        if (l(m1) > l(m2)) hi = m2;
        else lo = m1;
    }
    return (lo + hi) / 2;
}

}  // namespace

long double log_normal_gamma_integral(long double a, long double c, long double delta, bool upper)
{
    if (!(a > 0) || !(c > 0) || !std::isfinite(a) || !std::isfinite(c) || !std::isfinite(delta))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const Integrand l{a, std::log(2 * c * c), delta, upper};
    const long double peak = find_peak(l, std::log(std::fmax(delta, 1.0L)));
    const long double top = l(peak);
    long double e = 1e-4L;  // narrowed until it stays within the peak
    while (top - l(peak + e) > 0.5L && e > 1e-15L) e /= 4;
    const long double curvature = (l(peak + e) - 2 * top + l(peak - e)) / (e * e);
    long double h = curvature < 0 ? std::fmin(0.1L, 1 / (2 * std::sqrt(-curvature))) : 0.1L;
    const std::function<long double(long double)> f = std::cref(l);
    long double coarse = log_peak_trapezoid(f, peak, h);
    for (int halving = 0; halving < 12; ++halving) {
        h /= 2;
        const long double fine = log_peak_trapezoid(f, peak, h);
        if (std::fabs(std::expm1(fine - coarse)) <= agreement * (1 + std::fabs(top) / 100)) return fine;
        coarse = fine;
    }
    throw numeric::Fault(numeric::FaultKind::NoConvergence);
}

}  // namespace engine
