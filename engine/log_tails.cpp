#include "engine/log_tails.h"

#include <cmath>
#include <limits>

namespace engine {

long double log_complement(long double l)
{
    // Near 0 the difference 1 - e^l is expm1's to keep; far below, log1p's.
    const long double ln_half = -0.693147180559945309417232121458176568L;
    return l > ln_half ? std::log(-std::expm1(l)) : std::log1p(-std::exp(l));
}

// A sum that rounds a hair above 1 counts as 1.
LogTails from_lower(long double log_lower)
{
    const long double l = std::fmin(log_lower, 0.0L);
    return {l, log_complement(l)};
}

LogTails from_upper(long double log_upper)
{
    const long double l = std::fmin(log_upper, 0.0L);
    return {log_complement(l), l};
}

LogTails from_smaller_side(bool upper_guess, const std::function<long double(bool upper)>& side)
{
    const long double ln_most = -0.105360515657826301227500980839312417L;  // ln 0.9
    bool upper = upper_guess;
    long double l = side(upper);
    if (l > ln_most) {
        upper = !upper;
        l = side(upper);
    }
    return upper ? from_upper(l) : from_lower(l);
}

Probability probability_from_log(long double l)
{
    const long double lowest = std::numeric_limits<double>::lowest();
    return {static_cast<double>(std::exp(l)), static_cast<double>(std::isfinite(l) ? std::fmax(l, lowest) : l)};
}

Tails rounded(const LogTails& tails)
{
    return {probability_from_log(tails.lower), probability_from_log(tails.upper)};
}

}  // namespace engine
