#include "engine/chi_square_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/incomplete_gamma.h"
#include "engine/log_gamma.h"
#include "engine/normal_quantile.h"
#include "engine/numeric/fault.h"
#include "engine/tail_quantile.h"

namespace engine {

namespace {

// The x at which the chosen tail is alpha, searched on the tail that alpha
// leaves small: an upper tail above 1/2 is a lower one below it, exact there.
double chi_square_quantile(double alpha, bool upper_tail, double nu)
{
    require_probability(alpha);
    require_degrees(nu, Argument::degrees, largest_degrees);
    const long double a = static_cast<long double>(nu) / 2;
    const long double log_gamma_a = log_gamma(a);

    const bool upper = (alpha <= 0.5) == upper_tail;
    const double p = alpha <= 0.5 ? alpha : 1 - alpha;

    // Start: Wilson and Hilferty's cube of a normal, (X/nu)^(1/3) ~ N(1 - h, h)
    // with h = 2/(9 nu); where that is not positive (small nu, x near 0), the
    // lower tail's first term P ~ (x/2)^a / Gamma(a + 1).
    const double z = upper_tail ? normal_upper_quantile(alpha) : -normal_upper_quantile(alpha);
    const double h = 2 / (9 * nu), w = 1 - h + z * std::sqrt(h);
    double guess = nu * w * w * w;
    if (!(w > 0.1) || !std::isfinite(guess)) {
        const long double lower = upper_tail ? std::log1p(-static_cast<long double>(alpha))
                                             : std::log(static_cast<long double>(alpha));
        guess = static_cast<double>(2 * std::exp((lower + log_gamma(a + 1)) / a));
    }

    // ln(x f) = a ln(x/2) - x/2 - ln Gamma(a).
    return tail_quantile({[&](double x) {
                              const LogTails t = log_incomplete_gamma(a, static_cast<long double>(x) / 2).tails;
                              return upper ? t.upper : t.lower;
                          },
                          [&](double x) {
                              const long double half = static_cast<long double>(x) / 2;
                              return (a * std::log(half) - half) - log_gamma_a;
                          },
                          upper},
                         std::log(static_cast<long double>(p)), guess);
}

}  // namespace

double chi_square_upper_quantile(double alpha, double nu) { return chi_square_quantile(alpha, true, nu); }

double chi_square_lower_quantile(double alpha, double nu) { return chi_square_quantile(alpha, false, nu); }

}  // namespace engine
