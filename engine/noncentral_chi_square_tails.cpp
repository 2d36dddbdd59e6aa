// X = chi-square with nu + 2J degrees, J Poisson with mean lambda/2:
//   P(X <= x) = sum_j w_j P(nu/2 + j, x/2),   P(X > x) = sum_j w_j Q(nu/2 + j, x/2),
// w_j = e^-(lambda/2) (lambda/2)^j / j!. Every term of both is positive, so
// each tail is summed as itself (log_poisson_mixture: from its far end, by
// P(a + 1) = P(a) - y^a e^-y / Gamma(a + 1) read backward and Q(a + 1) =
// Q(a) + the same term), the steps' ratio y/(a + 1). The smaller tail is
// summed and the larger is its complement, which keeps every digit; the
// side is guessed from the mean nu + lambda and summed again where it was
// the larger after all. The terms centre where the saddle point of the
// tail tilts the Poisson mean (noncentral_peak.h).
#include "engine/noncentral_chi_square_tails.h"

#include <cmath>

#include "engine/chi_square_tails.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/incomplete_gamma.h"
#include "engine/noncentral_limits.h"
#include "engine/noncentral_peak.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_mixture.h"

namespace engine {

LogTails noncentral_chi_square_log_tails(long double x, long double nu, long double lambda)
{
    const long double y = x / 2;
    const PoissonMixture mixture{lambda / 2, 0, nu / 2, 0, y, [y](long double p) {
                                     const LogTails t = log_incomplete_gamma(p, y).tails;
                                     return MixtureShape{t.lower, t.upper, log_poisson_term(p, y)};
                                 }};
    const MixturePeak at = mixture_peak(lambda, nu, 0, x);
    return from_smaller_side(x > nu + lambda,
                             [&](bool upper) { return log_poisson_mixture(mixture, upper, at.peak, at.spread); });
}

Tails noncentral_chi_square_tails(double x, double nu, double lambda)
{
    require_degrees(nu, Argument::degrees, largest_degrees);
    require_between(lambda, Argument::noncentrality, 0, largest_lambda);
    if (!(x >= 0)) throw DomainError(Argument::statistic, DomainRule::not_negative);
    if (!std::isfinite(x)) throw numeric::Fault(numeric::FaultKind::Overflow);
    if (lambda == 0) return chi_square_tails(x, nu);
    if (x == 0) return {{0, -INFINITY}, {1, 0}};
    return rounded(noncentral_chi_square_log_tails(x, nu, lambda));
}

}  // namespace engine
