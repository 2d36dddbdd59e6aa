// T = (Z + delta) / (S / sqrt nu), S chi with nu degrees. With c = t/sqrt(nu),
//   P(T > t) = P(Z > c S - delta) = E[Q(c S - delta)],  P(T < t) = E[Q(delta - c S)],
// whatever the signs. P(T < t; delta) = P(T > -t; -delta), so delta > 0 here.
//
// t on delta's side (Lenth's series, Guenther's form), x = t^2/(t^2 + nu):
//   P(T > t) = 1/2 sum_j [p_j (1 - I_x(j + 1/2, nu/2)) + q_j (1 - I_x(j + 1, nu/2))]
//   P(T < t) = Q(delta) + 1/2 sum_j [p_j I_x(j + 1/2, nu/2) + q_j I_x(j + 1, nu/2)]
// with p_j = w(j), q_j = w(j + 1/2), w(k) = e^-mu mu^k / Gamma(k + 1), mu =
// delta^2/2: two Poisson mixtures of one incomplete beta each
// (log_poisson_mixture), every term positive in both tails, the smaller tail
// summed and the larger its complement. Their terms centre where those of
// the noncentral F (1, nu, delta^2) at t^2 do (noncentral_peak.h).
//
// t on the other side, and wherever the mixtures would run to thousands of
// terms (delta in the hundreds, or t far beyond delta), the series cancels
// or is long: there the smaller tail is the integral E[Q(...)] over the chi
// variable itself, every value positive (log_chi_integral), in some dozens of
// nodes. A tail of 1e-100000 keeps all its digits either way.
#include "engine/noncentral_t_tails.h"

#include <cmath>

#include "engine/binomial_term.h"
#include "engine/chi_integral.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/incomplete_beta.h"
#include "engine/noncentral_limits.h"
#include "engine/noncentral_peak.h"
#include "engine/normal_gamma_integral.h"
#include "engine/normal_log_upper.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_mixture.h"
#include "engine/t_tails.h"

namespace engine {

namespace {

const long double ln_half = -0.693147180559945309417232121458176568L;

// Above this spread of the mixtures' terms the integral is the cheaper.
constexpr long double series_spread = 40;

long double log_add(long double a, long double b)
{
    const long double m = std::fmax(a, b);
    return std::isinf(m) ? m : m + std::log1p(std::exp(std::fmin(a, b) - m));
}

// The tails at t > 0 for delta > 0.
LogTails same_side(long double t, long double nu, long double delta)
{
    const long double c = t / std::sqrt(nu);
    const long double r = (t * t) / nu, x = r / (1 + r), b = nu / 2, mu = (delta * delta) / 2;
    const MixturePeak at = mixture_peak(delta * delta, 1, r, t * t);
    if (at.spread > series_spread) {
        // Over the chi variable Q(cS - delta) turns within 1/c of S, sharper
        // than S's own bulk once t exceeds sqrt(2 nu): there the average over
        // W = Z + delta is the smooth one, P(T > t) = E[P(S < W/c); W > 0],
        // P(T < t) = Q(delta) + E[P(S > W/c); W > 0].
        const bool over_w = t * t > 2 * nu;
        auto tail = [&](bool up) {
            if (over_w) {
                const long double l = log_normal_gamma_integral(nu / 2, c, delta, !up);
                return up ? l : log_add(log_normal_upper(delta), l);
            }
            return up ? log_chi_integral(nu, ChiKernel::normal_upper, c, -delta, 0)
                      : log_chi_integral(nu, ChiKernel::normal_upper, -c, delta, 0);
        };
        return from_smaller_side(t > delta, tail);
    }
    auto shape = [r, b](long double p) {
        const LogTails s = log_incomplete_beta(r, b, p).tails;
        return MixtureShape{s.upper, s.lower, log_binomial_term(b, p, r) + std::log(b / (p + b))};
    };
    const PoissonMixture whole{mu, 0, 0.5L, x, x * b, shape}, half{mu, 0.5L, 1, x, x * b, shape};
    auto side = [&](bool increasing) {
        const long double sum = log_add(log_poisson_mixture(whole, increasing, at.peak, at.spread),
                                        log_poisson_mixture(half, increasing, at.peak, at.spread)) + ln_half;
        return increasing ? sum : log_add(log_normal_upper(delta), sum);
    };
    return from_smaller_side(t > delta, side);
}

}  // namespace

LogTails noncentral_t_log_tails(long double t, long double nu, long double delta)
{
    // At 0 the sign of Z + delta decides: Q(delta) below, Q(-delta) above.
    if (t == 0) return delta > 0 ? from_lower(log_normal_upper(delta)) : from_upper(log_normal_upper(-delta));
    const bool reflected = delta < 0;
    const long double d = std::fabs(delta), s = reflected ? -t : t;
    LogTails tails;
    if (s > 0) {
        tails = same_side(s, nu, d);
    } else {
        // P(T < s) = E[Q(d + |s| S / sqrt nu)]: small, every value positive.
        tails = from_lower(log_chi_integral(nu, ChiKernel::normal_upper, -s / std::sqrt(nu), d, 0));
    }
    return reflected ? LogTails{tails.upper, tails.lower} : tails;
}

Tails noncentral_t_tails(double t, double nu, double delta)
{
    require_degrees(nu, Argument::degrees, largest_degrees);
    require_between(delta, Argument::noncentrality, -largest_delta, largest_delta);
    if (!std::isfinite(t)) throw numeric::Fault(numeric::FaultKind::Overflow);
    if (delta == 0) {
        const TTails c = t_tails(t, nu);
        return {c.lower, c.upper};
    }
    return rounded(noncentral_t_log_tails(t, nu, delta));
}

}  // namespace engine
