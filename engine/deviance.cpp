#include "engine/deviance.h"

#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

double deviance(double x_in, double m_in)
{
    const Real x = x_in, m = m_in;
    if (numeric::abs(x - m) < 0.1 * (x + m)) {
        // With v = (x - m)/(x + m): (x - m) v + 2x (v^3/3 + v^5/5 + ...).
        const Real v = (x - m) / (x + m);
        const Real v2 = v * v;
        Real sum = (x - m) * v;
        Real e = (2 * x) * v;
        for (int j = 1; j < 1000; ++j) {
            e = e * v2;
            const Real next = sum + e / (2 * j + 1);
            if (next == sum) break;
            sum = next;
        }
        return sum.value();
    }
    // x/m overflows or vanishes only far out, where the term is 0 anyway and
    // the difference of the logarithms is as good.
    const double ratio = x_in / m_in;
    const Real log_ratio = (ratio > 0 && ratio < 1e300) ? numeric::log(Real(ratio))
                                                        : numeric::log(x) - numeric::log(m);
    return ((x * log_ratio + m) - x).value();
}

}  // namespace engine
