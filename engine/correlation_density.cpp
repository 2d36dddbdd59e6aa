// Fisher's integral (1915):
//   f(r) = (N - 2)/pi (1 - rho^2)^((N-1)/2) (1 - r^2)^((N-4)/2) int_0^inf (cosh b - c)^-(N-1) db,
// c = rho r. With sinh(b/2) = sqrt(k) sinh t, k = (1 - c)/2, cosh b - c is
// (1 - c) cosh^2 t, so the integral is
//   (1 - c)^-(N-1) sqrt(2 (1 - c)) int_0^inf cosh^(3-2N) t (1 + k sinh^2 t)^(-1/2) dt,
// a bell at t = 0 some 1/sqrt(2N - 3) wide, analytic for |Im t| < pi/2: the
// trapezoidal rule at 0.7 of that width, and within what the pole of order
// 2N - 3 at i pi/2 allows (correlation_parts.h), holds it to e^-40. The
// powers of N combine into (N - 1)/2 ln(1 - d^2) - 3/2 ln(1 - r^2), d =
// (rho - r)/(1 - rho r), since (1 - rho r)^2 - (1 - rho^2)(1 - r^2) =
// (rho - r)^2: near the bulk, where d is some 1/sqrt(N), log1p keeps what
// the three logarithms times 10^9 would lose. Every positive value: no
// cancellation on either side of rho.
#include "engine/correlation_density.h"

#include <cmath>

#include "engine/correlation_parts.h"
#include "engine/correlation_tails.h"
#include "engine/domain.h"
#include "engine/numeric/fault.h"

namespace engine {

namespace {

constexpr long double tolerance = 1e-18L;
const long double ln_pi = 1.14472988584940017414342735135305871L;
const long double ln_2 = 0.693147180559945309417232121458176568L;

// 1 - rho r from positive parts: (1 - |rho|) + |rho| (1 - |r|) where rho r > 0.
long double one_minus_product(long double rho, long double r)
{
    if (rho * r <= 0) return 1 - rho * r;
    return (1 - std::fabs(rho)) + std::fabs(rho) * (1 - std::fabs(r));
}

// ln int_0^inf cosh^(3-2N) t (1 + k sinh^2 t)^(-1/2) dt.
long double log_fisher_integral(long double n, long double k)
{
    const long double power = 3 - 2 * n;
    const long double h = std::fmin(correlation_parts::pole_step(2 * n - 3), 0.7L / std::sqrt(2 * n - 3 + k));
    long double sum = 0.5L;
    for (long j = 1;; ++j) {
        const long double t = j * h, sh = std::sinh(t), half = std::sinh(t / 2);
        // ln cosh t = ln(1 + 2 sinh^2(t/2)), free of cancellation near 0.
        const long double l = power * std::log1p(2 * half * half) - 0.5L * std::log1p(k * sh * sh);
        const long double term = std::exp(l);
        sum += term;
        if (term <= tolerance * sum) break;
        if (j > 1'000'000) throw numeric::Fault(numeric::FaultKind::NoConvergence);
    }
    return std::log(h * sum);
}

}  // namespace

double correlation_log_density(double r, double n, double rho)
{
    require_between(r, Argument::statistic, -1, 1);
    require_correlation_law(n, rho);
    const long double N = n, s = r, p = rho;
    const long double one_minus_c = one_minus_product(p, s);
    long double log_powers;
    if (std::fabs(s) == 1) {
        // (1 - r^2)^((N-4)/2): 0 above 4 pairs, 1 at 4, infinite below.
        if (N > 4) return -INFINITY;
        if (N < 4) throw numeric::Fault(numeric::FaultKind::Overflow);
        log_powers = (N - 1) / 2 * (std::log(1 - p) + std::log(1 + p)) - (N - 1) * std::log(one_minus_c);
    } else {
        const long double d = (p - s) / one_minus_c, d2 = d * d;
        const long double log_1_s2 = std::log(1 - s) + std::log(1 + s);
        const long double log_1_d2 = d2 < 0.5L ? std::log1p(-d2)
                                               : (std::log(1 - p) + std::log(1 + p)) + log_1_s2 - 2 * std::log(one_minus_c);
        log_powers = (N - 1) / 2 * log_1_d2 - 1.5L * log_1_s2;
    }
    const long double l = (std::log(N - 2) - ln_pi) + log_powers + 0.5L * (ln_2 + std::log(one_minus_c)) +
                          log_fisher_integral(N, one_minus_c / 2);
    return static_cast<double>(l);
}

}  // namespace engine
