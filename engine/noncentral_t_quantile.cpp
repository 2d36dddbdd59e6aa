// P(T > 0) = Phi(delta) tells the answer's sign. Above 0 the root is that of
// the upper tail at delta; below, t = -x with P(T > -x; delta) = alpha, that
// is P(T < x; -delta) = alpha: a root x > 0 either way, found by Newton's
// steps on the logarithm of the tail that alpha leaves small against ln x
// (root). The start: Z + delta - t S/sqrt(nu) as a normal, with
// E[S]/sqrt(nu) = b and Var(S)/nu = 1/(2 nu), solved for t:
//   t = (b delta + z sqrt(b^2 + (delta^2 - z^2)/(2 nu))) / (b^2 - z^2/(2 nu)),
// else delta + z.
#include "engine/noncentral_t_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/log_gamma.h"
#include "engine/noncentral_limits.h"
#include "engine/noncentral_t_density.h"
#include "engine/noncentral_t_tails.h"
#include "engine/normal_log_upper.h"
#include "engine/normal_quantile.h"
#include "engine/t_quantile.h"
#include "engine/numeric/fault.h"
#include "engine/tail_quantile.h"

namespace engine {

double noncentral_t_upper_quantile(double alpha, double nu, double delta)
{
    require_probability(alpha);
    require_degrees(nu, Argument::degrees, largest_degrees);
    require_between(delta, Argument::noncentrality, -largest_delta, largest_delta);
    if (delta == 0) return t_upper_quantile(alpha, nu);

    // alpha against P(T > 0) = Q(-delta), in logarithms.
    const long double log_alpha = std::log(static_cast<long double>(alpha)), log_zero = log_normal_upper(-delta);
    if (log_alpha == log_zero) return 0;
    const bool positive = log_alpha < log_zero;
    // The root x > 0 of the tail at d: P(T > x; delta) = alpha, or P(T < x; -delta) = alpha.
    const long double d = positive ? delta : -delta;
    const bool rising_side = !positive;  // the lower tail at -delta rises with x
    const bool small_alpha = alpha <= 0.5;
    // The small one of alpha and 1 - alpha, and the tail that equals it.
    const bool use_upper = rising_side ? !small_alpha : small_alpha;
    const double p = small_alpha ? alpha : 1 - alpha;
    // The normal's point for the reflected tail 1 - alpha is -z(alpha), exactly.
    const double z = positive ? normal_upper_quantile(alpha) : -normal_upper_quantile(alpha), dd = static_cast<double>(d);
    const double b = static_cast<double>(std::exp(log_gamma((nu + 1.0L) / 2) - log_gamma(nu / 2.0L)) *
                                         std::sqrt(2.0L / nu));
    const double lead = b * b - z * z / (2 * nu), discriminant = b * b + (dd * dd - z * z) / (2 * nu);
    double guess = (b * dd + z * std::sqrt(discriminant)) / lead;
    if (!(lead > 0) || !(discriminant >= 0) || !(guess > 0) || !std::isfinite(guess)) guess = std::fabs(dd + z);

    const double x = tail_quantile({[&](double x) {
                                        const LogTails t = noncentral_t_log_tails(x, nu, d);
                                        return use_upper ? t.upper : t.lower;
                                    },
                                    [&](double x) {
                                        return std::log(static_cast<long double>(x)) + noncentral_t_log_density(x, nu, dd);
                                    },
                                    use_upper},
                                   std::log(static_cast<long double>(p)), guess);
    return positive ? x : -x;
}

}  // namespace engine
