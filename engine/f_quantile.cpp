#include "engine/f_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/incomplete_beta.h"
#include "engine/log_gamma.h"
#include "engine/normal_quantile.h"
#include "engine/numeric/fault.h"
#include "engine/tail_quantile.h"

namespace engine {

namespace {

double f_quantile(double alpha, bool upper_tail, double nu1_in, double nu2_in)
{
    require_probability(alpha);
    require_degrees(nu1_in, Argument::degrees, largest_degrees);
    require_degrees(nu2_in, Argument::denominator_degrees, largest_degrees);
    const long double nu1 = nu1_in, nu2 = nu2_in, a = nu1 / 2, b = nu2 / 2;
    const long double log_beta = (log_gamma(a) + log_gamma(b)) - log_gamma(a + b);

    // P(X > F) = I_x(nu2/2, nu1/2) at the odds r = nu1 F / nu2; P(X < F) its
    // complement. The tail that alpha leaves small, 1 - alpha exact from 1/2.
    const bool upper = (alpha <= 0.5) == upper_tail;
    const double p = alpha <= 0.5 ? alpha : 1 - alpha;

    // Start: Paulson's normal cube root, (1 - c2) F^(1/3) - (1 - c1) over
    // sqrt(c1 + c2 F^(2/3)) with c = 2/(9 nu), solved for F^(1/3) = u; within
    // 1e-3 at large degrees, where each tail is a long fraction and every
    // Newton step saved counts. Below 1 degree, or where it has no root (far
    // tails), ln F near normal with variance 2/nu1 + 2/nu2 about its median;
    // Newton in ln F takes the power laws of small degrees from there.
    const double z = upper_tail ? normal_upper_quantile(alpha) : -normal_upper_quantile(alpha);
    const double c1 = 2 / (9 * nu1_in), c2 = 2 / (9 * nu2_in), k1 = 1 - c1, k2 = 1 - c2;
    const double lead = k2 * k2 - z * z * c2, discriminant = k1 * k1 * c2 + k2 * k2 * c1 - z * z * c1 * c2;
    const double u = (k1 * k2 + z * std::sqrt(discriminant)) / lead;
    double guess = u * u * u;
    if (nu1_in < 1 || nu2_in < 1 || !(lead > 0) || !(discriminant >= 0) || !(u > 0) || !std::isfinite(guess)) {
        const double spread = std::sqrt(2 / nu1_in + 2 / nu2_in);
        guess = std::exp(std::fmax(-700.0, std::fmin(700.0, z * spread)));
    }

    // ln(F f) = a ln r - (a + b) ln(1 + r) - ln B(a, b), r = nu1 F / nu2.
    return tail_quantile({[&](double F) {
                              const LogTails t = log_incomplete_beta((nu1 * F) / nu2, b, a).tails;
                              return upper ? t.lower : t.upper;
                          },
                          [&](double F) {
                              const long double r = (nu1 * F) / nu2;
                              return (a * std::log(r) - (a + b) * std::log1p(r)) - log_beta;
                          },
                          upper},
                         std::log(static_cast<long double>(p)), guess);
}

}  // namespace

double f_upper_quantile(double alpha, double nu1, double nu2) { return f_quantile(alpha, true, nu1, nu2); }

double f_lower_quantile(double alpha, double nu1, double nu2) { return f_quantile(alpha, false, nu1, nu2); }

}  // namespace engine
