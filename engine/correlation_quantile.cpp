// The root in z = atanh r, where the law is nearly normal with spread
// 1/sqrt(N - 3) (Fisher), on the logarithm of the tail that p leaves small:
// ln p - ln P(R > tanh z), or ln P(R < tanh z) - ln(1 - p), both rising in z
// (correlation_root.h). The start is Fisher's: atanh rho + rho/(2(N - 1))
// + z_p / sqrt(N - 3). The lower quantile is the upper one mirrored:
// P(R < r; rho) = P(R > -r; -rho).
#include "engine/correlation_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/correlation_root.h"
#include "engine/correlation_tails.h"
#include "engine/domain.h"
#include "engine/normal_quantile.h"
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
    const long double limit = std::atanh(1 - DBL_EPSILON / 2);
    const Bracket b = bracket_root(g, guess, spread, limit);
    if (b.below) return -1;
    if (b.above) return 1;
    // Within a few units of r's last place (dr = (1 - r^2) dz), or of 1e-18
    // about 0, where the tail moves by less than its own last digit.
    auto tolerance = [](long double z) {
        const long double r = std::tanh(z);
        return 2 * DBL_EPSILON * std::fmax(std::fabs(r), 1e-18L) / ((1 - r) * (1 + r)) / 8;
    };
    return static_cast<double>(std::tanh(rising_root(g, b.low, b.g_low, b.high, b.g_high, tolerance)));
}

double correlation_lower_quantile(double p, double n, double rho)
{
    require_probability(p);
    require_correlation_law(n, rho);
    return -correlation_upper_quantile(p, n, -rho);
}

}  // namespace engine
