// The law of r, N pairs, population correlation rho, nu = N - 2, a = nu/2.
// Fisher's integral for its density,
//   f(s) = (N - 2)/pi (1 - rho^2)^((N-1)/2) (1 - s^2)^((N-4)/2) int_0^inf (cosh b - rho s)^-(N-1) db,
// integrated over s in [r, 1] under the integral: for each b the Moebius map
// s = (x + lambda)/(1 + lambda x), lambda = rho / cosh b, turns the inner
// integral into int (1 - x^2)^((N-4)/2) (1 + lambda x) dx from the point
// r' = (r - lambda)/(1 - lambda r) to 1, times cosh b (cosh^2 b - rho^2)^(-N/2);
// and sinh b = sqrt(1 - rho^2) sinh t takes the latter to sech^(N-1) t
// exactly, rho's powers cancelling. Writing 1 + lambda x as
// (1 - |lambda|) + |lambda| (1 +- x), each piece is a symmetric incomplete
// beta at v = (1 - r')/2 (Legendre's duplication makes the constants 1):
//   P(R > r) = E[(1 - |lambda|) I_v(a, a) + |lambda| I_v(a + [lambda < 0], a + [lambda > 0])]
// over t with density sech^(N-1) t / c_N, c_N = sqrt(pi) Gamma((N-1)/2) / (2 Gamma(N/2)).
// I_v(a, a) is Student's tail with nu degrees at sqrt(nu) r'/sqrt(1 - r'^2):
// at rho = 0, lambda = 0 and the mean is that tail itself. Every value is
// positive, so a tail of 1e-100000 keeps its digits on either side of rho;
// for lambda > 0 the second beta is the first plus the binomial term
// v^a (1 - v)^a / (a B(a, a)) / 2 (one incomplete function a node), for
// lambda < 0 it is computed as itself. P(R < r; rho) = P(R > -r; -rho).
//
// The mean over t: the integrand is even in t and analytic in the strip
// |Im t| < pi/2 (sech's poles, cosh b's branch points), so the trapezoidal
// rule over the nodes k h is exact to about e^(-pi^2/h), less what the
// pole of order N - 1 costs (pole_step: below e^-45);
// about its peak it is a bell some 1/sqrt(curvature) wide, and h = 0.7 of
// that width leaves e^-40. The peak and its curvature come from the
// elementary part of the logarithm, (1 - N) ln cosh t + a ln(1 - r'^2),
// which holds the sharp factors of both (the betas' remaining factors vary
// slowly); the sum runs outward from the node nearest it until the terms
// fall below 1e-21 of the sum, each relative to the peak's value. Every
// difference is formed from exact ones: 1 -+ lambda from cosh b - 1 and
// 1 -+ rho, r - lambda from r - rho and cosh b - 1, 1 -+ r' =
// (1 -+ r)(1 +- lambda)/(1 - lambda r), ln cosh t from sinh(t/2), and c_N from
// Stirling's error, so at 10^9 pairs no two large numbers meet.
#include "engine/correlation_tails.h"
#include "engine/correlation_parts.h"

#include <cmath>

#include "engine/binomial_term.h"
#include "engine/deviance.h"
#include "engine/domain.h"
#include "engine/incomplete_beta.h"
#include "engine/numeric/fault.h"
#include "engine/stirling_error.h"
#include "engine/t_tails.h"

namespace engine {

namespace {

const long double ln_2 = 0.693147180559945309417232121458176568L;
const long double ln_sqrt_pi = 0.572364942924700087071713675676529356L;
constexpr long double tolerance = 1e-18L;
const long double ln_most = -0.105360515657826301227500980839312417L;  // ln 0.9
constexpr long most_nodes = 200'000;  // only makes a fault of a sum that would not end

long double log_add(long double a, long double b)
{
    const long double m = std::fmax(a, b);
    return std::isinf(m) ? m : m + std::log1p(std::exp(std::fmin(a, b) - m));
}

// ln Gamma(p + 1/2) - ln Gamma(p) by Stirling's error and the deviance.
long double log_half_step(long double p)
{
    return (0.5L * std::log(p) - deviance(p, p + 0.5L)) + (stirling_error(p + 0.5L) - stirling_error(p));
}

// ln I_v(a, a), v = (1 - s)/2: Student's upper tail with 2a degrees at
// sqrt(2a) s / sqrt(1 - s^2). Within a width 1/sqrt(a) of s = 0 its
// fraction is short in Student's form I_x(a, 1/2), beyond it in the
// symmetric one (each runs to thousands of passes where the other is short).
long double log_symmetric_beta(long double s, long double one_minus_s, long double one_plus_s, long double a)
{
    if (s * s * a < 1) {
        if (s == 0) return -ln_2;
        const long double both = log_incomplete_beta((s * s) / (one_minus_s * one_plus_s), a, 0.5L).tails.lower - ln_2;
        return s > 0 ? both : log_complement(both);
    }
    return log_incomplete_beta(one_plus_s / one_minus_s, a, a).tails.lower;
}

// ln cosh t = ln(1 + 2 sinh^2(t/2)): near 0, where it is t^2/2 and 10^9
// times it is a term, no ln 2 cancels.
long double log_cosh(long double t)
{
    const long double s = std::sinh(t / 2);
    return std::log1p(2 * s * s);
}

// The upper tail at r for rho != 0, |r| < 1.
struct Upper {
    long double r, n, rho, a;

    // The Moebius point at node t: lambda, 1 - lambda, 1 + lambda, r', 1 - r', 1 + r', d lambda/dt.
    struct Point {
        long double lambda, one_minus_lambda, one_plus_lambda, s, one_minus_s, one_plus_s, slope;
    };
    Point at(long double t) const
    {
        const long double sh = std::sinh(t), q = ((1 - rho) * (1 + rho)) * (sh * sh);
        const long double c = std::sqrt(1 + q), c_minus_1 = q / (c + 1);
        const long double lambda = rho / c;
        const long double minus = (c_minus_1 + (1 - rho)) / c, plus = (c_minus_1 + (1 + rho)) / c;  // 1 -+ lambda
        const long double lr = lambda * r;
        const long double one_minus_lr = lr > 0 ? (lambda > 0 ? minus : plus) + std::fabs(lambda) * (1 - std::fabs(r))
                                                : 1 - lr;
        // d lambda / dt
        const long double slope = -rho * ((1 - rho) * (1 + rho)) * sh * std::cosh(t) / (c * c * c);
        // r - lambda = (r - rho) + rho (c - 1)/c: near r = rho at 10^9 pairs r'
        // is some 1e-10, which r - lambda would round to a few digits.
        return {lambda, minus, plus, ((r - rho) + rho * (c_minus_1 / c)) / one_minus_lr, (1 - r) * plus / one_minus_lr,
                (1 + r) * minus / one_minus_lr, slope};
    }

    // The elementary part's slope in t: (1 - N) tanh t + nu r' lambda' / (1 - lambda^2).
    long double proxy_slope(long double t) const
    {
        const Point p = at(t);
        return (1 - n) * std::tanh(t) + (2 * a) * p.s * p.slope / (p.one_minus_lambda * p.one_plus_lambda);
    }

    // ln of the integrand at t.
    long double log_integrand(long double t) const
    {
        const Point p = at(t);
        const long double odds = p.one_plus_s / p.one_minus_s;  // v = 1/(1 + odds)
        const long double first = log_symmetric_beta(p.s, p.one_minus_s, p.one_plus_s, a);
        // I_v(a, a +- 1) = I_v(a, a) +- v^a (1 - v)^a / (a B(a, a)), the step half a binomial term.
        const long double step = log_binomial_term(a, a, odds) - ln_2;
        long double mixed;
        if (p.lambda >= 0) {
            mixed = p.lambda == 0 ? first : log_add(first, std::log(p.lambda) + step);
        } else if (step - first < ln_most) {
            mixed = first + std::log1p(p.lambda * std::exp(step - first));  // I - |lambda| step, at most 0.9 cancelled
        } else {
            const long double second = log_incomplete_beta(odds, a + 1, a).tails.lower;
            mixed = log_add(std::log(p.one_plus_lambda) + first, std::log(-p.lambda) + second);
        }
        return (1 - n) * log_cosh(t) + mixed;
    }

    // The integrand itself from the proxy's peak: where the proxy's two sharp
    // factors cancel (rho near -+1 with r' near 1) its remaining factors
    // decide, and the peak may lie far off and the bell be wide. Steps doubling
    // uphill, then golden sections to a quarter of h; h then 0.7 of the width
    // that the integrand's own curvature at the peak gives.
    void climb(long double& peak, long double& h) const
    {
        auto l = [this](long double t) { return log_integrand(std::fabs(t)); };
        long double centre = l(peak), right = l(peak + h), width = h;
        int direction = right > centre ? 1 : (peak > 0 && l(peak - h) > centre ? -1 : 0);
        for (int pass = 0; pass < 2; ++pass) {
            if (direction != 0) {
                // [a, c] holds the peak, b inside it and no lower than either end.
                long double a = peak, b = peak + direction * h, fb = l(b), c = b, step = h;
                for (int i = 0;; ++i) {
                    step *= 2;
                    c = std::fmax(peak + direction * step, 0.0L);
                    const long double fc = l(c);
                    if (fc <= fb || c == 0) break;
                    a = b, b = c, fb = fc;
                    if (i > 200) throw numeric::Fault(numeric::FaultKind::NoConvergence);
                }
                const long double g = 0.381966011250105151795413165634361883L;
                long double low = std::fmin(a, c), high = std::fmax(a, c);
                for (int i = 0; i < 200 && high - low > h / 4; ++i) {
                    const long double m1 = low + g * (high - low), m2 = high - g * (high - low);
                    if (l(m1) > l(m2)) high = m2;
                    else low = m1;
                }
                peak = (low + high) / 2;
                centre = l(peak), right = l(peak + h);
            }
            // The width from the second difference at a step of a quarter of it,
            // so that neither the rounding of l nor its quartic term decides (at
            // 0 the integrand is even).
            long double e = h, up = right, down = right;
            bool convex = false;
            for (int i = 0; i < 12; ++i) {
                if (i > 0) up = l(peak + e);
                down = peak == 0 ? up : l(peak - e);
                const long double c2 = (up - 2 * centre + down) / (e * e);
                convex = !(c2 < 0);
                if (convex) break;
                width = 1 / std::sqrt(-c2);
                if (width <= 8 * e) break;
                e = width / 4;
            }
            // A rise below l's rounding at the first step (the proxy's sharp
            // factors cancelling to 1e-9 of l): climb from where it shows.
            if (!convex) break;
            if (pass == 1) {
                width = 16 * e;
                break;
            }
            direction = up >= down ? 1 : -1;
        }
        h = std::fmin(correlation_parts::pole_step(n - 1), 0.7L * width);
    }

    long double operator()() const
    {
        // The peak of the elementary part: at 0, or where its slope changes sign.
        const long double width = 1 / std::sqrt(n - 1);
        long double peak = 0;
        const long double probe = 1e-3L * width;
        if (proxy_slope(probe) > 0) {
            long double low = probe, high = 2 * probe;
            while (proxy_slope(high) > 0) {
                low = high, high *= 2;
                if (high > 1e4L) throw numeric::Fault(numeric::FaultKind::NoConvergence);
            }
            for (int i = 0; i < 200 && high - low > 1e-3L * width; ++i) {
                const long double mid = (low + high) / 2;
                (proxy_slope(mid) > 0 ? low : high) = mid;
            }
            peak = (low + high) / 2;
        }
        const long double e = 1e-3L * width;
        const long double curvature =
            peak > e ? (proxy_slope(peak + e) - proxy_slope(peak - e)) / (2 * e) : proxy_slope(e) / e;
        long double h = std::fmin(correlation_parts::pole_step(n - 1), 0.7L / std::sqrt(std::fmax(n - 1, -curvature)));
        climb(peak, h);

        // The trapezoidal rule over the nodes k h, k >= 0, the node at 0 halved.
        const long k_peak = std::lround(peak / h);
        const long double top = log_integrand(k_peak * h);
        long double sum = k_peak == 0 ? 0.5L : 1;
        long double previous = 0;
        for (long k = k_peak + 1;; ++k) {
            const long double v = log_integrand(k * h) - top, term = std::exp(v);
            sum += term;
            if (v < previous && term <= tolerance * sum) break;
            previous = v;
            if (k - k_peak > most_nodes) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        }
        previous = 0;
        for (long k = k_peak - 1; k >= 0; --k) {
            const long double v = log_integrand(k * h) - top, term = std::exp(v) * (k == 0 ? 0.5L : 1);
            sum += term;
            if (v < previous && term <= tolerance * sum) break;
            previous = v;
        }
        // c_N = sqrt(pi)/2 Gamma((N-1)/2)/Gamma(N/2).
        const long double log_c = (ln_sqrt_pi - ln_2) - log_half_step((n - 1) / 2);
        return (top + std::log(h * sum)) - log_c;
    }
};

long double log_upper(long double r, long double n, long double rho)
{
    return Upper{r, n, rho, (n - 2) / 2}();
}

}  // namespace

void require_correlation_law(double n, double rho)
{
    require_between(n, Argument::sample_size, smallest_pairs, largest_pairs);
    if (!(std::fabs(rho) < 1)) throw DomainError(Argument::correlation, -1, 1);
}

LogTails correlation_log_tails(long double r, long double n, long double rho)
{
    // The median of atanh R lies near atanh rho + rho / (2 (N - 1)).
    const bool upper_guess = std::atanh(r) > std::atanh(rho) + rho / (2 * (n - 1));
    return from_smaller_side(upper_guess, [&](bool upper) { return upper ? log_upper(r, n, rho) : log_upper(-r, n, -rho); });
}

Tails correlation_tails(double r, double n, double rho)
{
    require_between(r, Argument::statistic, -1, 1);
    require_correlation_law(n, rho);
    if (r == 1) return {{1, 0}, {0, -INFINITY}};
    if (r == -1) return {{0, -INFINITY}, {1, 0}};
    if (rho == 0) {
        // r = t / sqrt(t^2 + N - 2): Student's t with N - 2 degrees.
        const long double s = r;
        const double t = static_cast<double>(std::sqrt(n - 2.0L) * s / std::sqrt((1 - s) * (1 + s)));
        const TTails c = t_tails(t, n - 2);
        return {c.lower, c.upper};
    }
    return rounded(correlation_log_tails(r, n, rho));
}

}  // namespace engine
