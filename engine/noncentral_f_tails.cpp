// X = (chi-square with nu1 + 2J degrees / nu1) / (chi-square nu2 / nu2), J
// Poisson with mean lambda/2; with the odds r = nu1 x / nu2, z = r/(1 + r),
// a = nu1/2, b = nu2/2:
//   P(X <= x) = sum_j w_j I_z(a + j, b),   P(X > x) = sum_j w_j (1 - I_z(a + j, b)),
// both of positive terms, each summed as itself (log_poisson_mixture); the
// step I_z(p, b) - I_z(p + 1, b) = Gamma(p + b) / (Gamma(p + 1) Gamma(b))
// z^p (1 - z)^b is a binomial term in the odds, its ratio z (p + b)/(p + 1).
// Each incomplete beta comes from the odds, as the central F's, so neither
// z nor 1 - z is rounded from a difference. The smaller tail is summed, the
// larger is its complement; the terms centre at the saddle point of
// X1 - (nu1 x / nu2) X2 (noncentral_peak.h).
#include "engine/noncentral_f_tails.h"

#include <cmath>

#include "engine/binomial_term.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/f_tails.h"
#include "engine/incomplete_beta.h"
#include "engine/noncentral_limits.h"
#include "engine/noncentral_peak.h"
#include "engine/numeric/fault.h"
#include "engine/poisson_mixture.h"

namespace engine {

LogTails noncentral_f_log_tails(long double x, long double nu1, long double nu2, long double lambda)
{
    // The odds in extended range: nu1 x / nu2 of any three doubles.
    const long double r = (nu1 * x) / nu2, z = r / (1 + r), b = nu2 / 2;
    // I_z(p, b) = 1 - I_(1/(1+r))(b, p): the beta at the odds r with the shapes swapped.
    const PoissonMixture mixture{lambda / 2, 0, nu1 / 2, z, z * b, [r, b](long double p) {
                                     const LogTails t = log_incomplete_beta(r, b, p).tails;
                                     return MixtureShape{t.upper, t.lower,
                                                         log_binomial_term(b, p, r) + std::log(b / (p + b))};
                                 }};
    const MixturePeak at = mixture_peak(lambda, nu1, r, nu1 * x);
    return from_smaller_side(x > 1 + lambda / nu1,
                             [&](bool upper) { return log_poisson_mixture(mixture, upper, at.peak, at.spread); });
}

Tails noncentral_f_tails(double x, double nu1, double nu2, double lambda)
{
    require_degrees(nu1, Argument::degrees, largest_degrees);
    require_degrees(nu2, Argument::denominator_degrees, largest_degrees);
    require_between(lambda, Argument::noncentrality, 0, largest_lambda);
    if (!(x >= 0)) throw DomainError(Argument::statistic, DomainRule::not_negative);
    if (!std::isfinite(x)) throw numeric::Fault(numeric::FaultKind::Overflow);
    if (lambda == 0) {
        const FTails c = f_tails(x, nu1, nu2);
        return {c.lower, c.upper};
    }
    if (x == 0) return {{0, -INFINITY}, {1, 0}};
    return rounded(noncentral_f_log_tails(x, nu1, nu2, lambda));
}

}  // namespace engine
