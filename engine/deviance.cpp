#include "engine/deviance.h"

#include <cmath>

#include "engine/numeric/fault.h"

namespace engine {

long double deviance(long double x, long double m)
{
    if (!(x > 0) || !(m > 0) || !std::isfinite(x) || !std::isfinite(m))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    if (std::fabs(x - m) < 0.1L * (x + m)) {
        // With v = (x - m)/(x + m): (x - m) v + 2x (v^3/3 + v^5/5 + ...).
        const long double v = (x - m) / (x + m), v2 = v * v;
        long double sum = (x - m) * v;
        long double e = (2 * x) * v;
        for (int j = 1; j < 1000; ++j) {
            e *= v2;
            const long double next = sum + e / (2 * j + 1);
            if (next == sum) break;
            sum = next;
        }
        return sum;
    }
    // Extended range holds the ratio of any two doubles.
    return (x * std::log(x / m) + m) - x;
}

}  // namespace engine
