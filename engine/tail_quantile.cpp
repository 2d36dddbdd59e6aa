#include "engine/tail_quantile.h"

#include <cfloat>
#include <cmath>

#include "engine/numeric/fault.h"
#include "engine/root.h"

namespace engine {

double tail_quantile(const TailQuantile& law, long double log_p, double guess)
{
    if (!(guess >= DBL_MIN)) guess = DBL_MIN;
    if (!(guess <= DBL_MAX / 2)) guess = DBL_MAX / 2;
    const RootSearch search{
        [&](double x) { return law.log_tail(x) - log_p; },
        [&](double x, long double miss) {
            const long double d = std::exp(law.log_x_density(x) - (miss + log_p));
            return law.upper ? -d : d;
        },
        !law.upper, true, DBL_TRUE_MIN, DBL_MAX, guess, 2.77258872223978123767L};  // ln 16
    if (const long double g = search.miss(DBL_MAX); g != 0 && (g > 0) == law.upper)
        throw numeric::Fault(numeric::FaultKind::Overflow);
    if (const long double g = search.miss(DBL_TRUE_MIN); g != 0 && (g < 0) == law.upper)
        throw numeric::Fault(numeric::FaultKind::Underflow);
    return root(search);
}

}  // namespace engine
