// P(X >= x; p) = I_p(x, n - x + 1) and P(X <= x; p) = I_(1-p)(n - x, x + 1):
// each limit is a quantile of a beta law, found as the root in
// u = ln(p / (1 - p)) of the logarithm of the tail that a leaves small
// (the engine's root finder, in u itself), where the tail moves like a
// normal's in the bulk and like a power of p toward 0. The start: the
// normal's point about x/n with the spread sqrt(x (n - x)/n)/n. The upper
// limit is the lower one mirrored: P(X <= x; p) = P(n - X >= n - x; 1 - p).
#include "engine/binomial_limits.h"

#include <cfloat>
#include <cmath>

#include "engine/binomial_tails.h"
#include "engine/domain.h"
#include "engine/incomplete_beta.h"
#include "engine/normal_quantile.h"
#include "engine/root.h"

namespace engine {

namespace {

// The p with P(X >= x; p) = a for a whole 0 < x <= n; mirrored as 1 - p
// where `mirrored`, keeping 1 - p's digits.
double lower_limit(double x, double n, double a, bool mirrored)
{
    const long double log_a = std::log(static_cast<long double>(a)), log_b = std::log1p(-static_cast<long double>(a));
    const bool small = a <= 0.5;
    // ln P(X >= x) = ln(1 - I_(1-p)(n - x + 1, x)) at odds p/(1 - p) = e^u, rising in u.
    auto g = [&](long double u) {
        const LogTails t = log_incomplete_beta(std::exp(u), n - x + 1, x).tails;
        return small ? t.upper - log_a : log_b - t.lower;
    };
    const long double centre = (x - 0.5L) / n, spread = std::sqrt(std::fmax(centre * (1 - centre), 0.25L / n) / n);
    const long double p0 = std::fmin(std::fmax(centre - normal_upper_quantile(a) * spread, 1e-300L), 1 - 1e-16L);
    const double limit = 11000;  // odds of e^-11000: below any double
    const auto miss = [&](double v) { return g(v); };
    const double u = root({miss, {}, true, false, -limit, limit, static_cast<double>(std::log(p0 / (1 - p0))), 1});
    if (u == -limit && miss(-limit) > 0) return mirrored ? 1 : 0;
    const long double e = std::exp(static_cast<long double>(u));
    return static_cast<double>(mirrored ? 1 / (1 + e) : e / (1 + e));
}

}  // namespace

double binomial_lower_limit(double x, double n, double a)
{
    require_probability(a);
    require_binomial(x, n, 0.5);
    const double whole = std::ceil(x);
    if (whole == 0) return 0;
    return lower_limit(whole, n, a, false);
}

double binomial_upper_limit(double x, double n, double a)
{
    require_probability(a);
    require_binomial(x, n, 0.5);
    const double whole = std::floor(x);
    if (whole == n) return 1;
    return lower_limit(n - whole, n, a, true);
}

}  // namespace engine
