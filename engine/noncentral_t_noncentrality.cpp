// Newton's steps in delta on the logarithm of the tail that p leaves small
// (root): P(T > t) = E[Q(c S - delta)], c = t/sqrt(nu), so its slope in
// delta is E[phi(c S - delta)], an integral of positive values
// (log_chi_integral), and the lower tail's the opposite. At delta = 0 the
// central tail (whose digits the noncentral series would have too). The
// start: Z + delta - t S/sqrt(nu) as normal, with E[S]/sqrt(nu) = b and
// Var(S)/nu = 1/(2 nu): delta = t b - z sqrt(1 + t^2/(2 nu)).
#include "engine/noncentral_t_noncentrality.h"

#include <cmath>

#include "engine/chi_integral.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/log_gamma.h"
#include "engine/noncentral_limits.h"
#include "engine/noncentral_t_tails.h"
#include "engine/normal_quantile.h"
#include "engine/numeric/fault.h"
#include "engine/root.h"
#include "engine/t_tails.h"

namespace engine {

Noncentrality t_noncentrality(double t, double nu, double upper)
{
    require_probability(upper);
    require_degrees(nu, Argument::degrees, largest_degrees);
    if (!std::isfinite(t)) throw numeric::Fault(numeric::FaultKind::Overflow);
    const long double log_p = std::log(static_cast<long double>(upper));

    if (log_p <= noncentral_t_log_tails(t, nu, -largest_delta).upper) return {-largest_delta, true};
    if (log_p >= noncentral_t_log_tails(t, nu, largest_delta).upper) return {largest_delta, true};

    const long double c = t / std::sqrt(static_cast<long double>(nu));
    const long double b = std::exp(log_gamma((nu + 1.0L) / 2) - log_gamma(nu / 2.0L)) * std::sqrt(2.0L / nu);
    const long double guess = t * b - normal_upper_quantile(upper) * std::sqrt(1 + (c * c) / 2);
    // The tail that p leaves small, as the chi-square's.
    const bool small_upper = upper <= 0.5;
    const long double log_small = small_upper ? log_p : std::log(static_cast<long double>(1 - upper));
    const RootSearch search{
        [&](double delta) {
            if (delta == 0) {
                const TTails t0 = t_tails(t, nu);
                return static_cast<long double>(small_upper ? t0.upper.log : t0.lower.log) - log_small;
            }
            const LogTails l = noncentral_t_log_tails(t, nu, delta);
            return (small_upper ? l.upper : l.lower) - log_small;
        },
        [&](double delta, long double miss) {
            const long double log_dp = log_chi_integral(nu, ChiKernel::normal_density, c, -delta, 0);  // ln dP/d delta
            const long double d = std::exp(log_dp - (miss + log_small));
            return small_upper ? d : -d;
        },
        // The tails at both ends are known already: the start is inside them.
        small_upper, false, -largest_delta, largest_delta,
        static_cast<double>(std::fmax(std::fmin(guess, largest_delta - 1), 1 - largest_delta)), 1};
    return {root(search), false};
}

}  // namespace engine
