// Newton's steps in ln theta, theta = sqrt(lambda), on the logarithm of the
// tail that p leaves small (root, as the chi-square's): d/d lambda of
// sum_j w_j (1 - I_z(a + j, b)) is 1/2 sum_j w_j g(a + j), g the beta's step
// between neighbouring shapes, a Poisson mixture of binomial terms
// (log_poisson_term_sum), so d ln P / d ln theta = lambda e^(that - ln P),
// and the lower tail's -lambda e^(that - ln(1 - P)). The start: X1 - (nu1 x /
// nu2) X2 as normal, its upper tail at 0 set to p, a quadratic.
#include "engine/noncentral_f_noncentrality.h"

#include <cmath>

#include "engine/binomial_term.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/f_tails.h"
#include "engine/noncentral_f_tails.h"
#include "engine/noncentral_limits.h"
#include "engine/normal_quantile.h"
#include "engine/normal_start.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_term_sum.h"
#include "engine/root.h"

namespace engine {

Noncentrality f_noncentrality(double x, double nu1, double nu2, double upper)
{
    require_probability(upper);
    require_degrees(nu1, Argument::degrees, largest_degrees);
    require_degrees(nu2, Argument::denominator_degrees, largest_degrees);
    if (!(x >= 0)) throw DomainError(Argument::statistic, DomainRule::not_negative);
    if (!std::isfinite(x)) throw numeric::Fault(numeric::FaultKind::Overflow);
    const long double log_p = std::log(static_cast<long double>(upper));

    if (x == 0 || log_p <= f_tails(x, nu1, nu2).upper.log) return {0, true};
    if (log_p >= noncentral_f_log_tails(x, nu1, nu2, largest_lambda).upper) return {largest_lambda, true};

    const long double r = (static_cast<long double>(nu1) * x) / nu2, z = r / (1 + r);
    const long double a = static_cast<long double>(nu1) / 2, b = static_cast<long double>(nu2) / 2;
    // Y = X1 - c X2, c = nu1 x / nu2: mean nu1 + lambda - nu1 x, variance
    // 2 nu1 + 4 lambda + 2 c^2 nu2.
    const long double zq = normal_upper_quantile(upper), c = r;
    const long double spread = 2 * nu1 + 2 * c * c * nu2;
    // The tail that p leaves small, as the chi-square's.
    const bool small_upper = upper <= 0.5;
    const long double log_small = small_upper ? log_p : std::log(static_cast<long double>(1 - upper));
    const double highest = std::sqrt(largest_lambda);
    const double start = static_cast<double>(normal_start(zq, nu1 * (x - 1.0L), spread));
    const RootSearch search{
        [&](double theta) {
            const LogTails t = noncentral_f_log_tails(x, nu1, nu2, static_cast<long double>(theta) * theta);
            return (small_upper ? t.upper : t.lower) - log_small;
        },
        [&](double theta, long double miss) {
            const long double lambda = static_cast<long double>(theta) * theta;
            const PoissonTermSum terms{lambda / 2, 0, a, z, z * b, 0, [r, b](long double p) {
                                           return log_binomial_term(b, p, r) + std::log(b / (p + b));
                                       }};
            const long double d = lambda * std::exp(log_poisson_term_sum(terms) - (miss + log_small));
            return small_upper ? d : -d;
        },
        small_upper, true, 1e-300, highest, start < highest ? start : highest / 2,
        1};
    const double theta = root(search);
    return {theta * theta, false};
}

}  // namespace engine
