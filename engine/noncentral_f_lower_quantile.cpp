// Newton's steps on the logarithm of the exact tail against ln x (root), on
// the tail that alpha leaves small: the lower one itself up to 1/2, whatever
// its size, else the upper one at 1 - alpha, exact there. The start: the
// numerator as Patnaik's c chi-square(f), so that X ~ (c f / nu1) F(f, nu2),
// and that F's lower quantile by Paulson's normal cube root (as the upper
// quantile's, at the normal's lower point). Where Paulson has no root, ln X
// near normal about its median; but where alpha, up to 1/2, is reached by
// the lower tail's first term e^(-lambda/2) r^a / (a B(a, b)) at odds r =
// nu1 x / nu2 well below 1 (I_z(a, b) near z = r/(1 + r) = 0, a = nu1/2, b
// = nu2/2), x from that term: a power law that Newton's steps in ln x
// follow exactly.
#include "engine/noncentral_f_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/f_quantile.h"
#include "engine/log_gamma.h"
#include "engine/noncentral_f_density.h"
#include "engine/noncentral_f_tails.h"
#include "engine/noncentral_limits.h"
#include "engine/normal_quantile.h"
#include "engine/numeric/fault.h"
#include "engine/tail_quantile.h"

namespace engine {

double noncentral_f_lower_quantile(double alpha, double nu1, double nu2, double lambda)
{
    require_probability(alpha);
    require_degrees(nu1, Argument::degrees, largest_degrees);
    require_degrees(nu2, Argument::denominator_degrees, largest_degrees);
    require_between(lambda, Argument::noncentrality, 0, largest_lambda);
    if (lambda == 0) return f_lower_quantile(alpha, nu1, nu2);

    const bool lower = alpha <= 0.5;
    const double p = lower ? alpha : 1 - alpha;
    const double c = (nu1 + 2 * lambda) / (nu1 + lambda), f = (nu1 + lambda) * (nu1 + lambda) / (nu1 + 2 * lambda);
    const double z = -normal_upper_quantile(alpha);
    const double c1 = 2 / (9 * f), c2 = 2 / (9 * nu2), k1 = 1 - c1, k2 = 1 - c2;
    const double lead = k2 * k2 - z * z * c2, discriminant = k1 * k1 * c2 + k2 * k2 * c1 - z * z * c1 * c2;
    const double u = (k1 * k2 + z * std::sqrt(discriminant)) / lead;
    double guess = (c * f / nu1) * u * u * u;
    if (nu2 < 1 || !(lead > 0) || !(discriminant >= 0) || !(u > 0) || !std::isfinite(guess)) {
        const double spread = std::sqrt(2 / f + 2 / nu2);
        guess = (c * f / nu1) * std::exp(std::fmax(-700.0, std::fmin(700.0, z * spread)));
        const long double a = static_cast<long double>(nu1) / 2, b = static_cast<long double>(nu2) / 2;
        const long double log_beta = (log_gamma(a) + log_gamma(b)) - log_gamma(a + b);
        const long double log_alpha = std::log(static_cast<long double>(alpha));
        const long double r = std::exp((log_alpha + lambda / 2 + std::log(a) + log_beta) / a);
        if (lower && r < 0.5L) guess = static_cast<double>(r * nu2 / nu1);
    }

    return tail_quantile({[&](double x) {
                              const LogTails t = noncentral_f_log_tails(x, nu1, nu2, lambda);
                              return lower ? t.lower : t.upper;
                          },
                          [&](double x) { return std::log(static_cast<long double>(x)) + noncentral_f_log_density(x, nu1, nu2, lambda); },
                          !lower},
                         std::log(static_cast<long double>(p)), guess);
}

}  // namespace engine
