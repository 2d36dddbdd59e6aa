// Newton's steps on the logarithm of the exact tail against ln x (root), on
// the tail that alpha leaves small: the lower one itself up to 1/2, whatever
// its size (1 - alpha in the upper quantile would keep no digit of a tiny
// alpha), else the upper one at 1 - alpha, exact there. The start: Patnaik's
// c chi-square(f), as the upper quantile's, its lower quantile by Wilson and
// Hilferty's cube of a normal; where that is not positive (few degrees, tiny
// alpha), the lower tail's first term e^(-lambda/2) (x/2)^a / Gamma(a + 1),
// a = nu/2, a power law that Newton's steps in ln x follow exactly.
#include "engine/noncentral_chi_square_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/chi_square_quantile.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/log_gamma.h"
#include "engine/noncentral_chi_square_density.h"
#include "engine/noncentral_chi_square_tails.h"
#include "engine/noncentral_limits.h"
#include "engine/normal_quantile.h"
#include "engine/numeric/fault.h"
#include "engine/tail_quantile.h"

namespace engine {

double noncentral_chi_square_lower_quantile(double alpha, double nu, double lambda)
{
    require_probability(alpha);
    require_degrees(nu, Argument::degrees, largest_degrees);
    require_between(lambda, Argument::noncentrality, 0, largest_lambda);
    if (lambda == 0) return chi_square_lower_quantile(alpha, nu);

    const bool lower = alpha <= 0.5;
    const double p = lower ? alpha : 1 - alpha;
    const double c = (nu + 2 * lambda) / (nu + lambda), f = (nu + lambda) * (nu + lambda) / (nu + 2 * lambda);
    const double h = 2 / (9 * f), w = 1 - h - normal_upper_quantile(alpha) * std::sqrt(h);
    double guess = c * f * w * w * w;
    if (!(w > 0.1) || !std::isfinite(guess)) {
        const long double a = static_cast<long double>(nu) / 2;
        const long double log_alpha = std::log(static_cast<long double>(alpha));
        guess = static_cast<double>(2 * std::exp((log_alpha + lambda / 2 + log_gamma(a + 1)) / a));
    }

    return tail_quantile({[&](double x) {
                              const LogTails t = noncentral_chi_square_log_tails(x, nu, lambda);
                              return lower ? t.lower : t.upper;
                          },
                          [&](double x) { return std::log(static_cast<long double>(x)) + noncentral_chi_square_log_density(x, nu, lambda); },
                          !lower},
                         std::log(static_cast<long double>(p)), guess);
}

}  // namespace engine
