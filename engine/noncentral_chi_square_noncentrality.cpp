// Newton's steps in theta = sqrt(lambda), in which the tail is as smooth as
// the t's in delta, on ln P(X > x; theta^2) - ln p (noncentrality_root):
// d/d lambda of sum_j w_j Q(a + j, y) is 1/2 sum_j w_j (Q(a + j + 1) - Q(a + j))
// = 1/2 sum_j w_j y^(a+j) e^-y / Gamma(a + j + 1), a Poisson mixture of Poisson
// terms (log_poisson_term_sum), so d ln P / d theta = theta e^(that - ln P).
// The start: X as normal with mean nu + lambda and variance 2 nu + 4 lambda,
// P = p solved for lambda (a quadratic in s = sqrt(2 nu + 4 lambda)).
#include "engine/noncentral_chi_square_noncentrality.h"

#include <cmath>

#include "engine/chi_square_tails.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/noncentral_chi_square_tails.h"
#include "engine/noncentral_limits.h"
#include "engine/noncentrality_root.h"
#include "engine/normal_quantile.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_term.h"
#include "engine/poisson_term_sum.h"

namespace engine {

Noncentrality chi_square_noncentrality(double x, double nu, double upper)
{
    require_probability(upper);
    require_degrees(nu, Argument::degrees, largest_degrees);
    if (!(x >= 0)) throw DomainError(Argument::statistic, DomainRule::not_negative);
    if (!std::isfinite(x)) throw numeric::Fault(numeric::FaultKind::Overflow);
    const long double log_p = std::log(static_cast<long double>(upper));

    // The ends: the central tail, and the tail at the largest lambda.
    if (x == 0 || log_p <= chi_square_tails(x, nu).upper.log) return {0, true};
    if (log_p >= noncentral_chi_square_log_tails(x, nu, largest_lambda).upper) return {largest_lambda, true};

    const long double y = static_cast<long double>(x) / 2, a = static_cast<long double>(nu) / 2;
    auto log_tail = [&](long double theta, long double& slope) {
        const long double lambda = theta * theta;
        const long double l = noncentral_chi_square_log_tails(x, nu, lambda).upper;
        const PoissonTermSum terms{lambda / 2, 0, a, 0, y, 0, [y](long double p) { return log_poisson_term(p, y); }};
        slope = theta * std::exp(log_poisson_term_sum(terms) - l);
        return l;
    };
    const double z = normal_upper_quantile(upper);
    const long double spread = 2 * nu;
    const double theta = noncentrality_root(log_tail, log_p, 0, std::sqrt(largest_lambda),
                                            normal_start(z, x - nu, spread));
    return {theta * theta, false};
}

}  // namespace engine
