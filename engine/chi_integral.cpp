// E[k(alpha S + beta) S^m] = integral over u = ln s of
//   exp(l(u)),  l(u) = (nu + m) u - s^2/2 + ln k(alpha s + beta) + C,
// C = -(nu/2 - 1) ln 2 - ln Gamma(nu/2), by the trapezoidal rule around the
// peak of l, in logarithms. The integrand is analytic in the strip
// |Im u| < pi/4 (beyond it the Gaussian factors e^(-s^2/2) turn and grow),
// so the rule's error is about e^(-pi^2 / (2h)): below 1e-21 at h = 0.1,
// and a peak of width sigma needs h <= sigma/2 besides (a Gaussian's error
// e^(-2 pi^2 (sigma/h)^2)). The nodes are taken relative to an anchor, each
// value's difference from it formed from exact differences (expm1 of the
// node's offset), so the ln Gamma and the squares of large s never meet.
//
// Toward s = 0 the integrand is e^((nu + m) u) G(s), G(s) = e^(-s^2/2)
// k(alpha s + beta) / k(beta) -> 1: at small degrees a slow exponential, some
// 46/nu long. Below s_L, where G's Taylor series in s converges by 0.3 a
// term, the rule's remaining nodes are summed in closed form: node k below
// the anchor weighs e^((nu + m + n)(u_K - k h)) for each power s^n, a
// geometric series. G's coefficients: for phi, those of
// exp(-alpha beta s - (1 + alpha^2) s^2/2) by n E_n = -alpha beta E_(n-1) -
// (1 + alpha^2) E_(n-2); for Q, Q(beta + x)/Q(beta) = 1 - M(beta)
// sum_(n>=1) (-1)^(n-1) He_(n-1)(beta) x^n/n! (M = phi/Q, He the Hermite
// polynomials) times e^(-s^2/2).
//
// The peak: Newton's steps on l'(u) = nu + m - s^2 + alpha s (ln k)'(z) = 0
// inside a bracket, from the root of the same equation with k = phi (a
// quadratic in s); (ln phi)' = -z, (ln Q)' = -M, (ln Q)'' = -M (M - z).
#include "engine/chi_integral.h"

#include <cmath>

#include "engine/normal_log_upper.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_term.h"

namespace engine {

namespace {

constexpr long double tolerance = 1e-21L;
constexpr long most_nodes = 200'000;  // only makes a fault of a sum that would not end
const long double ln_sqrt_2pi = 0.918938533204672741780329736405617639L;

struct Integrand {
    long double nu, alpha, beta;
    ChiKernel kernel;
    int power;

    long double log_k(long double z) const
    {
        return kernel == ChiKernel::normal_density ? -(z * z) / 2 - ln_sqrt_2pi : log_normal_upper(z);
    }
    // (ln k)' and (ln k)'' at z, given ln k(z).
    void slopes(long double z, long double lk, long double& d1, long double& d2) const
    {
        if (kernel == ChiKernel::normal_density) {
            d1 = -z, d2 = -1;
            return;
        }
        const long double m = std::exp((-(z * z) / 2 - ln_sqrt_2pi) - lk);
        d1 = -m, d2 = -m * (m - z);
    }
};

// The peak of l in u, and l'' there.
void find_peak(const Integrand& f, long double& u, long double& curvature)
{
    const long double n = f.nu + f.power, ab = f.alpha * f.beta, q = 1 + f.alpha * f.alpha;
    const long double root = std::sqrt(ab * ab + 4 * q * n);
    u = std::log(ab >= 0 ? 2 * n / (ab + root) : (root - ab) / (2 * q));
    long double low = -INFINITY, high = INFINITY, stride = 1;
    for (int i = 0; i < 400; ++i) {
        const long double s = std::exp(u), z = f.alpha * s + f.beta;
        long double d1, d2;
        f.slopes(z, f.log_k(z), d1, d2);
        const long double g = (n - s * s) + f.alpha * s * d1;
        curvature = (-2 * s * s + f.alpha * s * d1) + f.alpha * f.alpha * s * s * d2;
        // A Newton step below a thousandth of the peak's width: as near as the rule needs.
        if (curvature < 0 && std::fabs(g / curvature) <= 1e-3L / std::sqrt(-curvature)) return;
        if (g > 0) low = u;
        else high = u;
        long double next = curvature < 0 ? u - g / curvature : NAN;
        if (!(next > low && next < high)) {
            if (std::isinf(high)) next = u + stride, stride *= 2;
            else if (std::isinf(low)) next = u - stride, stride *= 2;
            else next = (low + high) / 2;
        }
        if (high - low <= 1e-12L * (1 + std::fabs(u))) return;
        u = next;
    }
    throw numeric::Fault(numeric::FaultKind::NoConvergence);
}

// The rule's nodes at and below node K, s_K <= s_L, relative to node K:
// sum_n E_n s_K^n / (1 - e^(-(nu + m + n) h)) over sum_n E_n s_K^n.
long double left_tail(const Integrand& f, long double s_k, long double h)
{
    constexpr int most_terms = 80;
    long double t[most_terms];
    const long double x = f.alpha * s_k;
    if (f.kernel == ChiKernel::normal_density) {
        const long double b = -f.alpha * f.beta * s_k, q = -(1 + f.alpha * f.alpha) * s_k * s_k;
        t[0] = 1, t[1] = b;
        for (int n = 2; n < most_terms; ++n) t[n] = (b * t[n - 1] + q * t[n - 2]) / n;
    } else {
        const long double mills = std::exp((-(f.beta * f.beta) / 2 - ln_sqrt_2pi) - log_normal_upper(f.beta));
        long double q[most_terms], he_previous = 0, he = 1, power = 1;  // He_(n-1)(beta), x^n/n!
        q[0] = 1;
        for (int n = 1; n < most_terms; ++n) {
            power *= x / n;
            q[n] = ((n % 2 == 1) ? -mills : mills) * he * power;
            const long double next = f.beta * he - (n - 1) * he_previous;
            he_previous = he, he = next;
        }
        const long double half_square = -(s_k * s_k) / 2;
        for (int n = 0; n < most_terms; ++n) {
            long double even = 1, sum = 0;
            for (int j = 0; 2 * j <= n; ++j) {
                sum += even * q[n - 2 * j];
                even *= half_square / (j + 1);
            }
            t[n] = sum;
        }
    }
    const long double nm = f.nu + f.power;
    long double plain = 0, weighted = 0;
    for (int n = 0; n < most_terms; ++n) {
        plain += t[n];
        weighted += t[n] / -std::expm1(-(nm + n) * h);
        if (n > 2 && std::fabs(t[n]) <= 1e-24L * std::fabs(plain) && std::fabs(t[n - 1]) <= 1e-24L * std::fabs(plain))
            break;
    }
    return std::log(weighted / plain);
}

}  // namespace

long double log_chi_integral(long double nu, ChiKernel kernel, long double alpha, long double beta, int power)
{
    if (!(nu > 0) || !std::isfinite(nu) || !std::isfinite(alpha) || !std::isfinite(beta))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const Integrand f{nu, alpha, beta, kernel, power};
    const long double n = nu + power, a = nu / 2;

    long double u_peak, curvature;
    find_peak(f, u_peak, curvature);
    long double h = curvature < 0 ? std::fmin(0.1L, 1 / (2 * std::sqrt(-curvature))) : 0.1L;
    // The kernel's own scale: Q(alpha s + beta) may turn from 1 to its tail
    // inside the chi variable's bulk, unseen by the curvature at a peak where
    // it is still 1 (t and delta near each other in the hundreds). In the
    // strip |Im u| < y the kernel grows like e^((alpha s y)^2 / 2), so the
    // rule's error is about e^(-2 pi^2 / (h alpha s)^2): h alpha s at most 0.4
    // (e^-123) out to four widths of the peak.
    const long double width = curvature < 0 ? std::fmin(1.0L, 1 / std::sqrt(-curvature)) : 1.0L;
    const long double kernel_scale = std::fabs(alpha) * std::exp(u_peak + 4 * width);
    if (kernel_scale > 0) h = std::fmin(h, 0.4L / kernel_scale);
    // Below s_L G's Taylor series converges by 0.3 a term (some 45 terms).
    const long double u_low = std::log(0.3L / (std::fabs(alpha) * (std::fabs(beta) + 2) + 1));
    const long double u_anchor = std::fmax(u_peak, u_low);
    const long double s_anchor = std::exp(u_anchor), z_anchor = alpha * s_anchor + beta;
    const long double lk_anchor = f.log_k(z_anchor);
    const long k_low = static_cast<long>(std::floor((u_low - u_anchor) / h));  // the last node in closed form

    // l(u_anchor + kh) - l(u_anchor), from exact differences.
    auto offset = [&](long k) {
        const long double e = std::expm1(k * h), dz = alpha * s_anchor * e;
        const long double dk = kernel == ChiKernel::normal_density ? -dz * (z_anchor + dz / 2)
                                                                   : f.log_k(z_anchor + dz) - lk_anchor;
        return (n * (k * h) - (s_anchor * s_anchor) * (e * (2 + e)) / 2) + dk;
    };

    long double sum = 0;
    long double previous = INFINITY;
    for (long k = k_low < 0 ? 0 : k_low + 1;; ++k) {
        const long double l = offset(k), term = std::exp(l);
        sum += term;
        if (l < previous && term <= tolerance * sum) break;
        previous = l;
        if (k > most_nodes) throw numeric::Fault(numeric::FaultKind::NoConvergence);
    }
    bool ended = false;
    previous = INFINITY;
    for (long k = -1; k > k_low; --k) {
        const long double l = offset(k), term = std::exp(l);
        sum += term;
        if (l < previous && term <= tolerance * sum) {
            ended = true;
            break;
        }
        previous = l;
        if (-k > most_nodes) throw numeric::Fault(numeric::FaultKind::NoConvergence);
    }
    if (!ended) sum += std::exp(offset(k_low) + left_tail(f, s_anchor * std::exp(k_low * h), h));

    // l at the anchor: ln f_chi(s) + ln s = 2u + ln pois(a - 1, s^2/2) for
    // a > 1, ln(2a) + ln pois(a, s^2/2) below, by Stirling's error and deviance.
    const long double half_square = (s_anchor * s_anchor) / 2;
    const long double log_chi = a > 1 ? 2 * u_anchor + log_poisson_term(a - 1, half_square)
                                      : std::log(2 * a) + log_poisson_term(a, half_square);
    return ((log_chi + power * u_anchor) + lk_anchor) + std::log(h * sum);
}

}  // namespace engine
