// Newton's steps in ln theta, theta = sqrt(lambda), on the logarithm of the
// tail that p leaves small (root): in theta the tail is as smooth as the t's
// in delta, and near 0 it moves as a power of theta (P ~ P0 + c theta^2), a
// straight line in the logarithm, where halving ln theta reaches 1e-150 in
// some steps and halving theta would take hundreds.
// d/d lambda of sum_j w_j Q(a + j, y) is 1/2 sum_j w_j (Q(a + j + 1) - Q(a + j))
// = 1/2 sum_j w_j y^(a+j) e^-y / Gamma(a + j + 1), a Poisson mixture of Poisson
// terms (log_poisson_term_sum), so d ln P / d ln theta = theta^2 e^(that - ln P),
// and the lower tail's -theta^2 e^(that - ln(1 - P)).
// The start: X as normal with mean nu + lambda and variance 2 nu + 4 lambda,
// P = p solved for lambda (a quadratic in s = sqrt(2 nu + 4 lambda)).
#include "engine/noncentral_chi_square_noncentrality.h"

#include <cmath>

#include "engine/chi_square_tails.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/noncentral_chi_square_tails.h"
#include "engine/noncentral_limits.h"
#include "engine/normal_quantile.h"
#include "engine/normal_start.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_term.h"
#include "engine/poisson_term_sum.h"
#include "engine/root.h"

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
    // The tail that p leaves small, as itself: above 1/2 the lower one at
    // 1 - p, exact there, which falls as theta grows (near 1 the upper
    // tail's logarithm is flat, and Newton's steps from it would fly off).
    const bool small_upper = upper <= 0.5;
    const long double log_small = small_upper ? log_p : std::log(static_cast<long double>(1 - upper));
    const double highest = std::sqrt(largest_lambda);
    const double start = static_cast<double>(normal_start(normal_upper_quantile(upper), x - nu, 2 * nu));
    const RootSearch search{
        [&](double theta) {
            const LogTails t = noncentral_chi_square_log_tails(x, nu, static_cast<long double>(theta) * theta);
            return (small_upper ? t.upper : t.lower) - log_small;
        },
        [&](double theta, long double miss) {
            const long double lambda = static_cast<long double>(theta) * theta;
            const PoissonTermSum terms{lambda / 2, 0, a, 0, y, 0,
                                       [y](long double p) { return log_poisson_term(p, y); }};
            const long double d = lambda * std::exp(log_poisson_term_sum(terms) - (miss + log_small));
            return small_upper ? d : -d;
        },
        // Below 1e-300 theta is below any lambda a double holds as its square;
        // the tail at the highest is known already: the start is below it.
        small_upper, true, 1e-300, highest,
        start < highest ? start : highest / 2, 1};
    const double theta = root(search);
    return {theta * theta, false};
}

}  // namespace engine
