// Newton's steps on ln P(T > t; delta) - ln p (noncentrality_root):
// P(T > t) = E[Q(c S - delta)], c = t/sqrt(nu), so its slope in delta is
// E[phi(c S - delta)], an integral of positive values (log_chi_integral).
// At delta = 0 the central tail (whose digits the noncentral series would
// have too). The start: Z + delta - t S/sqrt(nu) as normal, with E[S]/sqrt(nu)
// = b and Var(S)/nu = 1/(2 nu): delta = t b - z sqrt(1 + t^2/(2 nu)).
#include "engine/noncentral_t_noncentrality.h"

#include <cmath>

#include "engine/chi_integral.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/log_gamma.h"
#include "engine/noncentral_limits.h"
#include "engine/noncentral_t_tails.h"
#include "engine/noncentrality_root.h"
#include "engine/normal_quantile.h"
#include "engine/numeric/fault.h"
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
    auto log_tail = [&](long double delta, long double& slope) {
        const long double l =
            delta == 0 ? static_cast<long double>(t_tails(t, nu).upper.log) : noncentral_t_log_tails(t, nu, delta).upper;
        slope = std::exp(log_chi_integral(nu, ChiKernel::normal_density, c, -delta, 0) - l);
        return l;
    };
    const long double b = std::exp(log_gamma((nu + 1.0L) / 2) - log_gamma(nu / 2.0L)) * std::sqrt(2.0L / nu);
    const long double guess = t * b - normal_upper_quantile(upper) * std::sqrt(1 + (c * c) / 2);
    return {noncentrality_root(log_tail, log_p, -largest_delta, largest_delta, guess), false};
}

}  // namespace engine
