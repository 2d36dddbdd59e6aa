// A Poisson mixture of one side of an incomplete function, sum_j w_j F(a0 + j).
// With the step g(p) = D(p) - D(p + 1) > 0 between neighbouring shapes,
//   increasing side:  F(p + 1) = F(p) + g(p)      (the gamma's Q, the beta's 1 - I)
//   decreasing side:  F(p - 1) = F(p) + g(p - 1)  (the gamma's P, the beta's I),
// and g(p + 1) = g(p) (slope p + intercept)/(p + 1), w_(j+1) = w_j mu/(k + 1).
// Carried as the pair A_j = w_j F(p), B_j = w_j g, each step costs a few
// operations and only adds: the increasing side summed upward from below its
// largest term, the decreasing side downward from above it (Benton and
// Krishnamoorthy sum outward from the largest term and subtract on one side;
// summing from the far end keeps every digit where the tail is tiny). The
// pair starts from one incomplete function and one step computed directly,
// in logarithms, and is rescaled as it grows, so no term under- or overflows.
//
// Where the terms stop: the terms are log-concave in j (Poisson weights times
// a distribution function of the shape), so past the largest one the rest is
// at most A/(1 - r), r the last ratio. Where they start: the terms beyond the
// starting end are bounded likewise by the first ratio; an end that leaves
// more than 1e-21 of the sum outside is moved out and the sum made again.
//
// A spread of more than 4000 shapes (far upper tails, where the mixture's
// mean runs to millions) would take 100,000 steps: there the sum over the
// integers is the integral of the same terms over a continuous j to far
// below 1e-30 (Poisson's summation formula, at Gaussian widths of thousands),
// and that integral is the trapezoidal rule at a third of the spread, exact to
// e^-(2 pi^2 9 / 2) at worst; at peaks beyond 1e30, where a third of the
// spread is below the last digit of j, or wherever the tail's logarithm is
// beyond 1e13, Laplace's leading term holds all of its digits.
#include "engine/poisson_mixture.h"

#include <cmath>

#include "engine/continuous_sum.h"
#include "engine/numeric/fault.h"

namespace engine {

namespace {

constexpr long double tolerance = 1e-21L;
constexpr long double widths = 12;            // where to start, in spreads from the peak
constexpr long double summed_spread = 4000;   // wider mixtures go to the integral
constexpr long double rescale_above = 1e1000L;
constexpr long most_steps = 20'000'000;       // only makes a fault of a sum that would not end
const long double ln_rescale = 2302.58509299404568401799145468436421L;

// The running pair, the sum and its first term divided by 10^1000 together
// once they grow past it; the scale keeps what was taken out.
inline void rescale(long double& a, long double& b, long double& sum, long double& first, long double& scale)
{
    if (a > rescale_above || b > rescale_above) {
        a /= rescale_above, b /= rescale_above, sum /= rescale_above, first /= rescale_above;
        scale += ln_rescale;
    }
}

long double sum_upward(const PoissonMixture& m, long double peak, long double spread)
{
    long double reach = widths * spread + 10;
    for (int attempt = 0; attempt < 60; ++attempt, reach *= 2) {
        const long double j0 = std::fmax(0.0L, std::floor(peak - reach));
        long double k = m.offset + j0, p = m.shape + j0;
        const long double log_w = log_poisson_weight(k, m.mu);
        const MixtureShape s = m.at(p);
        long double scale = std::fmax(log_w + s.log_increasing, log_w + s.log_step);
        long double a = std::exp(log_w + s.log_increasing - scale), b = std::exp(log_w + s.log_step - scale);
        long double sum = 0, first = a, first_ratio = 0;
        for (long steps = 0;; ++steps) {
            sum += a;
            // One division a step: 1/((k + 1)(p + 1)) serves both factors.
            const long double d = 1 / ((k + 1) * (p + 1));
            const long double next = (m.mu * (p + 1) * d) * (a + b);
            b = b * (m.mu * (m.slope * p + m.intercept) * d);
            if (steps == 0) first_ratio = next / a;
            k += 1, p += 1;
            // Falling, and the rest, at most next/(1 - next/a), below the tolerance.
            if (next < a && next * a <= tolerance * sum * (a - next)) break;
            a = next;
            rescale(a, b, sum, first, scale);
            if (steps > most_steps) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        }
        if (j0 == 0 || (first_ratio > 1 && first <= tolerance * sum * (first_ratio - 1)))
            return scale + std::log(sum);
    }
    throw numeric::Fault(numeric::FaultKind::NoConvergence);
}

long double sum_downward(const PoissonMixture& m, long double peak, long double spread)
{
    // At a Poisson mean far below 1 each step up costs ln(j/mu) of the
    // weight: start where that has fallen by some e^-100, not by e^-15000,
    // whose logarithm would cost the sum's last digits to the scale.
    long double reach = widths * spread + 10;
    if (m.mu < 1) reach = std::fmin(reach, 2 + 100 / std::fmax(1.0L, -std::log(m.mu)));
    for (int attempt = 0; attempt < 60; ++attempt, reach *= 2) {
        const long double j1 = std::fmax(1.0L, std::ceil(peak + reach));
        long double k = m.offset + j1, p = m.shape + j1;
        const long double log_w = log_poisson_weight(k, m.mu);
        const MixtureShape s = m.at(p);
        // The shapes below p as a0 + (j - 1), a0 + (j - 2), never p - 1 and
        // p - 2: a0 far below 1 would be lost in p and the steps near j = 0,
        // which scale as 1/a0, be wrong by all of it.
        auto shape_at = [&m](long double j) { return m.shape + j; };
        // w_j g(p - 1) = w_j g(p) p / (slope (p - 1) + intercept).
        const long double log_b =
            (log_w + s.log_step) + (std::log(p) - std::log(m.slope * shape_at(j1 - 1) + m.intercept));
        long double scale = std::fmax(log_w + s.log_decreasing, log_b);
        long double a = std::exp(log_w + s.log_decreasing - scale), b = std::exp(log_b - scale);
        long double sum = 0, first = a, first_ratio = 0;
        for (long j = static_cast<long>(j1), steps = 0;; --j, ++steps) {
            sum += a;
            if (j == 0) break;
            const long double f = k / m.mu;
            const long double next = f * (a + b);
            if (j >= 2) b = (f * b) * (shape_at(j - 1) / (m.slope * shape_at(j - 2) + m.intercept));
            if (steps == 0) first_ratio = next / a;
            k -= 1;
            if (next < a && next * a <= tolerance * sum * (a - next)) break;
            a = next;
            rescale(a, b, sum, first, scale);
            if (steps > most_steps) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        }
        if (first_ratio > 1 && first <= tolerance * sum * (first_ratio - 1)) return scale + std::log(sum);
    }
    throw numeric::Fault(numeric::FaultKind::NoConvergence);
}

}  // namespace

long double log_poisson_mixture(const PoissonMixture& mixture, bool increasing, long double peak, long double spread)
{
    if (!(mixture.mu > 0) || !(mixture.shape > 0) || !std::isfinite(peak) || !(spread > 0))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    peak = std::fmax(peak, 0.0L);
    if (!increasing) return sum_downward(mixture, peak, spread);
    if (spread > summed_spread && peak > 2 * widths * spread) {
        const auto log_term = [&](long double j) {
            return log_poisson_weight(mixture.offset + j, mixture.mu) + mixture.at(mixture.shape + j).log_increasing;
        };
        return log_continuous_sum(log_term, peak, spread);
    }
    return sum_upward(mixture, peak, spread);
}

}  // namespace engine
