// Newton's steps on the logarithm of the exact tail against ln x (root),
// on the tail that alpha leaves small: the upper one up to 1/2, else the
// lower one at 1 - alpha, exact there. The start: Patnaik's scaled central
// law, X ~ c chi-square(f) with c = (nu + 2 lambda)/(nu + lambda) and f =
// (nu + lambda)^2/(nu + 2 lambda), its quantile by Wilson and Hilferty's
// cube of a normal; where that is not positive, the lower tail's first term.
#include "engine/noncentral_chi_square_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/chi_square_quantile.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/noncentral_chi_square_density.h"
#include "engine/noncentral_chi_square_tails.h"
#include "engine/noncentral_limits.h"
#include "engine/normal_quantile.h"
#include "engine/numeric/fault.h"
#include "engine/tail_quantile.h"

namespace engine {

double noncentral_chi_square_upper_quantile(double alpha, double nu, double lambda)
{
    require_probability(alpha);
    require_degrees(nu, Argument::degrees, largest_degrees);
    require_between(lambda, Argument::noncentrality, 0, largest_lambda);
    if (lambda == 0) return chi_square_upper_quantile(alpha, nu);

    const bool upper = alpha <= 0.5;
    const double p = upper ? alpha : 1 - alpha;
    const double c = (nu + 2 * lambda) / (nu + lambda), f = (nu + lambda) * (nu + lambda) / (nu + 2 * lambda);
    const double h = 2 / (9 * f), w = 1 - h + normal_upper_quantile(alpha) * std::sqrt(h);
    double guess = c * f * w * w * w;
    if (!(w > 0.1) || !std::isfinite(guess)) guess = c * f * 1e-3;

    return tail_quantile({[&](double x) {
                              const LogTails t = noncentral_chi_square_log_tails(x, nu, lambda);
                              return upper ? t.upper : t.lower;
                          },
                          [&](double x) { return std::log(static_cast<long double>(x)) + noncentral_chi_square_log_density(x, nu, lambda); },
                          upper},
                         std::log(static_cast<long double>(p)), guess);
}

}  // namespace engine
