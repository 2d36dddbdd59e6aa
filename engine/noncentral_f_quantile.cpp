// Newton's steps on the logarithm of the exact tail against ln x (root),
// on the tail that alpha leaves small. The start: the numerator as Patnaik's
// c chi-square(f), c = (nu1 + 2 lambda)/(nu1 + lambda), f = (nu1 + lambda)^2 /
// (nu1 + 2 lambda), so that X ~ (c f / nu1) F(f, nu2), and that F's quantile by
// Paulson's normal cube root (as f_quantile.cpp); where Paulson has no root,
// ln X near normal about its median.
#include "engine/noncentral_f_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/f_quantile.h"
#include "engine/noncentral_f_density.h"
#include "engine/noncentral_f_tails.h"
#include "engine/noncentral_limits.h"
#include "engine/normal_quantile.h"
#include "engine/numeric/fault.h"
#include "engine/tail_quantile.h"

namespace engine {

double noncentral_f_upper_quantile(double alpha, double nu1, double nu2, double lambda)
{
    require_probability(alpha);
    require_degrees(nu1, Argument::degrees, largest_degrees);
    require_degrees(nu2, Argument::denominator_degrees, largest_degrees);
    require_between(lambda, Argument::noncentrality, 0, largest_lambda);
    if (lambda == 0) return f_upper_quantile(alpha, nu1, nu2);

    const bool upper = alpha <= 0.5;
    const double p = upper ? alpha : 1 - alpha;
    const double c = (nu1 + 2 * lambda) / (nu1 + lambda), f = (nu1 + lambda) * (nu1 + lambda) / (nu1 + 2 * lambda);
    const double z = normal_upper_quantile(alpha);
    const double c1 = 2 / (9 * f), c2 = 2 / (9 * nu2), k1 = 1 - c1, k2 = 1 - c2;
    const double lead = k2 * k2 - z * z * c2, discriminant = k1 * k1 * c2 + k2 * k2 * c1 - z * z * c1 * c2;
    const double u = (k1 * k2 + z * std::sqrt(discriminant)) / lead;
    double guess = (c * f / nu1) * u * u * u;
    if (nu2 < 1 || !(lead > 0) || !(discriminant >= 0) || !(u > 0) || !std::isfinite(guess)) {
        const double spread = std::sqrt(2 / f + 2 / nu2);
        guess = (c * f / nu1) * std::exp(std::fmax(-700.0, std::fmin(700.0, z * spread)));
    }

    return tail_quantile({[&](double x) {
                              const LogTails t = noncentral_f_log_tails(x, nu1, nu2, lambda);
                              return upper ? t.upper : t.lower;
                          },
                          [&](double x) { return std::log(static_cast<long double>(x)) + noncentral_f_log_density(x, nu1, nu2, lambda); },
                          upper},
                         std::log(static_cast<long double>(p)), guess);
}

}  // namespace engine
