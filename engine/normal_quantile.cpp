#include "engine/normal_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/domain.h"
#include "engine/incomplete_gamma.h"
#include "engine/root.h"

namespace engine {

double normal_upper_quantile(double alpha)
{
    require_probability(alpha);
    if (alpha == 0.5) return 0;
    const long double ln_2 = 0.693147180559945309417232121458176568L;
    const long double ln_sqrt_2pi = 0.918938533204672741780329736405617639L;

    // The smaller tail beyond |z|; 1 - alpha is exact from 1/2 on.
    const double p = alpha < 0.5 ? alpha : 1 - alpha;

    // Start: Hastings' rational approximation (Abramowitz and Stegun 26.2.23,
    // within 4.5e-4), or the density's line near the centre.
    const double t = std::sqrt(-2 * std::log(p));
    double guess = t - (2.515517 + (0.802853 + 0.010328 * t) * t) / (1 + (1.432788 + (0.189269 + 0.001308 * t) * t) * t);
    if (!(guess > 0.01)) guess = 2.5066282746310002 * (0.5 - p);

    // Newton on ln Q - ln p against ln z: d ln Q / d ln z = -z phi / Q. The
    // root lies between 1.3e-16 (p the double below 1/2) and 38.5 (p the
    // smallest double): no end of the doubles to check.
    const long double log_p = std::log(static_cast<long double>(p));
    const RootSearch search{
        [&](double z) { return (log_incomplete_gamma(0.5L, (static_cast<long double>(z) * z) / 2).tails.upper - ln_2) - log_p; },
        [&](double z, long double miss) {
            const long double log_z = std::log(static_cast<long double>(z));
            return -std::exp((log_z - (static_cast<long double>(z) * z) / 2 - ln_sqrt_2pi) - (miss + log_p));
        },
        false, true, DBL_TRUE_MIN, DBL_MAX, guess, 2.77258872223978123767L};  // widening z by 16, 256, ...
    const double z = root(search);
    return alpha < 0.5 ? z : -z;
}

}  // namespace engine
