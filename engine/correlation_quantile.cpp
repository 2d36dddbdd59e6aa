// The root in z = atanh r, where the law is nearly normal with spread
// 1/sqrt(N - 3) (Fisher), on the logarithm of the tail that p leaves small:
// ln p - ln P(R > tanh z), or ln P(R < tanh z) - ln(1 - p), both rising in z
// (the engine's root finder, in z itself, by Newton's steps on the density). The start is Fisher's: atanh rho + rho/(2(N - 1))
// + z_p / sqrt(N - 3). The lower quantile is the upper one mirrored:
// P(R < r; rho) = P(R > -r; -rho).
#include "engine/correlation_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/correlation_density.h"
#include "engine/correlation_tails.h"
#include "engine/domain.h"
#include "engine/normal_quantile.h"
#include "engine/root.h"
#include "engine/t_quantile.h"

namespace engine {

double correlation_upper_quantile(double p, double n, double rho)
{
    require_probability(p);
    require_correlation_law(n, rho);
    if (rho == 0) {
        const long double t = t_upper_quantile(p, n - 2);
        return static_cast<double>(t / std::sqrt(t * t + (n - 2)));
    }
    const long double log_p = std::log(static_cast<long double>(p)), log_q = std::log1p(-static_cast<long double>(p));
    const bool small = p <= 0.5;
    auto g = [&](long double z) {
        const LogTails t = correlation_log_tails(std::tanh(z), n, rho);
        return small ? log_p - t.upper : t.lower - log_q;
    };
    const long double spread = 1 / std::sqrt(std::fmax(n - 3.0L, 1.0L));
    const long double guess = std::atanh(static_cast<long double>(rho)) + rho / (2 * (n - 1.0L)) +
                              normal_upper_quantile(p) * spread;
    // A root the search leaves at an end of the doubles short of +-1 lies
    // nearer +-1 than they do: that end.
    const double limit = static_cast<double>(std::atanh(1 - DBL_EPSILON / 2));
    // Newton's slope: d ln P(R > r)/dz = -f(r) (1 - r^2) / P(R > r), and the
    // lower tail's the same with its own sign and tail, 1 - r^2 = sech^2 z;
    // the tail is the miss given back, the density a single sum, far cheaper
    // than the tail's.
    auto slope = [&](double z, long double miss) {
        const long double tail = small ? log_p - miss : miss + log_q;
        const long double a = std::fabs(static_cast<long double>(z));
        const long double log_sech2 = -2 * (a + std::log1p(std::exp(-2 * a)) - std::log(2.0L));
        return std::exp(correlation_log_density(std::tanh(z), n, rho) + log_sech2 - tail);
    };
    const double z = root({[&](double v) { return g(v); }, slope, true, false, -limit, limit,
                           static_cast<double>(std::fmax(std::fmin(guess, limit), -limit)), spread});
    if (std::fabs(z) == limit) return z > 0 ? 1 : -1;
    return static_cast<double>(std::tanh(static_cast<long double>(z)));
}

double correlation_lower_quantile(double p, double n, double rho)
{
    require_probability(p);
    require_correlation_law(n, rho);
    return -correlation_upper_quantile(p, n, -rho);
}

}  // namespace engine
