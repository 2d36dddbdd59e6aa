#include "engine/t_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/incomplete_beta.h"
#include "engine/log_gamma.h"
#include "engine/normal_quantile.h"
#include "engine/numeric/fault.h"
#include "engine/root.h"

namespace engine {

double t_upper_quantile(double alpha, double nu_in)
{
    require_probability(alpha);
    require_degrees(nu_in, Argument::degrees, largest_degrees);
    if (alpha == 0.5) return 0;
    const long double nu = nu_in;
    const long double ln_2 = 0.693147180559945309417232121458176568L;
    const long double ln_pi = 1.14472988584940017414342735135305871L;

    // The density's constant, Gamma((nu+1)/2) / (Gamma(nu/2) sqrt(nu pi)).
    const long double log_c = (log_gamma((nu + 1) / 2) - log_gamma(nu / 2)) - (std::log(nu) + ln_pi) / 2;
    // Beyond |t| > 0: P(T > t) = I_x(nu/2, 1/2)/2 at the odds t^2/nu.
    const double p = alpha < 0.5 ? alpha : 1 - alpha;

    // Start: the normal's quantile with Cornish and Fisher's first two terms;
    // at few degrees the power law of the far tail, P ~ c nu^((nu-1)/2) t^-nu.
    const double z = normal_upper_quantile(p), z2 = z * z;
    double guess = z + (z2 + 1) * z / (4 * nu_in) + ((5 * z2 + 16) * z2 + 3) * z / (96 * nu_in * nu_in);
    const long double log_far = (log_c + ((nu - 1) / 2) * std::log(nu) - std::log(static_cast<long double>(p))) / nu;
    if (nu_in < 3 && log_far < 709) guess = std::fmax(guess, static_cast<double>(std::exp(log_far)));
    if (log_far >= 709 && nu_in < 3) guess = DBL_MAX / 2;
    if (!(guess >= DBL_MIN)) guess = DBL_MIN;
    if (!(guess <= DBL_MAX / 2)) guess = DBL_MAX / 2;

    // Newton on ln T - ln p against ln t: d ln T / d ln t = -t f / T.
    const long double log_p = std::log(static_cast<long double>(p));
    const RootSearch search{
        [&](double t) {
            const long double r = (static_cast<long double>(t) * t) / nu;
            return (log_incomplete_beta(r, nu / 2, 0.5L).tails.lower - ln_2) - log_p;
        },
        [&](double t, long double miss) {
            const long double log_t = std::log(static_cast<long double>(t));
            return -std::exp((log_t + log_c) - ((nu + 1) / 2) * std::log1p((static_cast<long double>(t) * t) / nu) -
                             (miss + log_p));
        },
        false, true, DBL_TRUE_MIN, DBL_MAX, guess, 2.77258872223978123767L};  // widening t by 16, 256, ...
    // A root beyond the largest double shows in the tail there. None lies
    // below the smallest: the tail there is 1/2 less t f(0) < t, above any
    // level below 1/2 that a double holds.
    if (search.miss(DBL_MAX) > 0) throw numeric::Fault(numeric::FaultKind::Overflow);
    const double t = root(search);
    return alpha < 0.5 ? t : -t;
}

}  // namespace engine
