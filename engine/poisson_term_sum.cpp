// sum_j T_j, T_j = w(k0 + j) g(p0 + j) (p0 + j)^m, by the ratio of neighbours
//   R(j) = T_(j+1) / T_j = mu / (k + 1) (slope p + intercept) / (p + 1) ((p + 1) / p)^m,
// k = k0 + j, p = p0 + j: a product of falling factors, so the terms rise
// while R > 1 and fall after. The largest term is found where R crosses 1
// (a search on the ratio alone), taken in logarithms from log_g, and the
// others come from it by R in both directions until they fall below 1e-21
// of the sum, what remains being at most T R/(1 - R).
//
// Beyond a spread of 500 terms (lambda in the hundreds of thousands, or far
// tails) the sum over the integers is the integral over a continuous j, to
// e^(-2 pi^2 500^2) (Poisson's summation formula), and that integral is the
// trapezoidal rule at a third of the spread, exact to e^(-2 pi^2 9 / 2).
#include "engine/poisson_term_sum.h"

#include <cmath>

#include "engine/continuous_sum.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_mixture.h"

namespace engine {

namespace {

constexpr long double tolerance = 1e-21L;
constexpr long double summed_spread = 500;

long double log_ratio(const PoissonTermSum& s, long double j)
{
    const long double k = s.offset + j, p = s.first + j;
    long double l = std::log(s.mu / (k + 1)) + std::log((s.slope * p + s.intercept) / (p + 1));
    if (s.power == 1) l += std::log((p + 1) / p);
    return l;
}

// R itself, without logarithms: the sum's inner step.
long double ratio(const PoissonTermSum& s, long double j)
{
    const long double k = s.offset + j, p = s.first + j;
    const long double r = (s.mu / (k + 1)) * ((s.slope * p + s.intercept) / (p + 1));
    return s.power == 1 ? r * ((p + 1) / p) : r;
}

long double log_term(const PoissonTermSum& s, long double j)
{
    const long double p = s.first + j;
    return (log_poisson_weight(s.offset + j, s.mu) + s.log_g(p)) + (s.power == 1 ? std::log(p) : 0);
}

}  // namespace

long double log_poisson_term_sum(const PoissonTermSum& s)
{
    if (!(s.mu > 0) || !(s.first > -1) || (s.power == 1 && !(s.first > 0))) throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    // The largest term: R(j) falls through 1 once; bisect on it (over a continuous j).
    long double low = 0, high = 1;
    if (log_ratio(s, 0) <= 0) {
        high = 0;
    } else {
        while (log_ratio(s, high) > 0) {
            low = high, high *= 2;
            if (high > 1e300L) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        }
        for (int i = 0; i < 200 && high - low > 1e-3L * (1 + low); ++i) {
            const long double mid = low / 2 + high / 2;
            (log_ratio(s, mid) > 0 ? low : high) = mid;
        }
    }
    const long double peak = high;
    // The spread from the slope of ln R there, -1/(k + 1) - 1/(p + 1) + slope/(slope p + intercept) - m/(p (p + 1)).
    const long double k = s.offset + peak, p = s.first + peak;
    long double fall = 1 / (k + 1) + 1 / (p + 1) - s.slope / (s.slope * p + s.intercept);
    if (s.power == 1) fall += 1 / (p * (p + 1));
    const long double spread = fall > 0 ? 1 / std::sqrt(fall) : 1;

    if (spread > summed_spread && peak > 24 * spread)
        return log_continuous_sum([&s](long double j) { return log_term(s, j); }, peak, spread);

    // The integer j nearest the peak, and the terms on either side.
    const long double j0 = std::floor(peak);
    long double sum = 1;
    long double term = 1;
    for (long double j = j0, steps = 0;; j += 1, steps += 1) {
        const long double r = ratio(s, j);
        term *= r;
        sum += term;
        if (r < 1 && term * r <= tolerance * sum * (1 - r)) break;
        if (steps > 1e8L) throw numeric::Fault(numeric::FaultKind::NoConvergence);
    }
    term = 1;
    for (long double j = j0 - 1; j >= 0; j -= 1) {
        const long double r = 1 / ratio(s, j);
        term *= r;
        sum += term;
        if (r < 1 && term * r <= tolerance * sum * (1 - r)) break;
    }
    return log_term(s, j0) + std::log(sum);
}

}  // namespace engine
