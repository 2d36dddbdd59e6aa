// Newton's steps, in theta itself where the domain spans both signs (the t's
// delta), in ln theta where it is [0, high] (sqrt(lambda)): near 0 the tail
// there moves as a power of theta (P ~ P0 + theta^2/2 at tiny degrees), a
// straight line in the logarithm, and halving ln theta reaches 1e-150 in
// some steps where halving theta would take hundreds. A step that leaves the
// bracket, or did not halve the miss, halves the bracket instead (or, while
// it is open toward 0, moves down by a doubling stride).
#include "engine/noncentrality_root.h"

#include <cfloat>
#include <cmath>

#include "engine/numeric/fault.h"

namespace engine {

double noncentrality_root(const std::function<long double(long double theta, long double& slope)>& log_tail,
                          long double log_p, long double low, long double high, long double guess)
{
    constexpr int most_evaluations = 400;
    const bool logarithmic = low >= 0;
    auto to = [&](long double theta) { return logarithmic ? std::log(theta) : theta; };
    auto from = [&](long double v) { return logarithmic ? std::exp(v) : v; };
    long double lo = logarithmic && low == 0 ? -INFINITY : to(low), hi = to(high);
    long double v = guess > low && guess < high ? to(guess) : (std::isinf(lo) ? hi - 1 : lo / 2 + hi / 2);
    long double last_miss = INFINITY, stride = 1;
    for (int i = 0; i < most_evaluations; ++i) {
        const long double theta = from(v);
        long double slope;
        const long double miss = log_tail(theta, slope) - log_p;
        if (miss == 0) return static_cast<double>(theta);
        (miss < 0 ? lo : hi) = v;
        const long double dv = slope * (logarithmic ? theta : 1);  // d ln P / dv
        long double next = v - miss / dv;
        bool newton = dv > 0 && next > lo && next < hi && std::fabs(miss) <= last_miss / 2;
        // While the bracket is open toward 0, no step goes further down than the stride.
        if (newton && std::isinf(lo) && next < v - stride) next = v - stride, stride *= 2;
        last_miss = std::fabs(miss);
        if (!newton) {
            if (std::isinf(lo)) next = v - stride, stride *= 2;
            else next = lo / 2 + hi / 2;
        }
        const long double step = std::fabs(from(next) - theta);
        const long double unit = 4 * DBL_EPSILON * std::fmax(std::fabs(from(next)), 1e-300L);
        if (newton && step <= unit / 16) return static_cast<double>(from(next));
        if (!std::isinf(lo) && std::fabs(from(hi) - from(lo)) <= unit) return static_cast<double>(from(lo / 2 + hi / 2));
        // A root below 1e-300 is below any lambda a double holds as its square.
        if (logarithmic && hi < -690.775527898213705205397436405309262L) return 0;
        v = next;
    }
    throw numeric::Fault(numeric::FaultKind::NoConvergence);
}

long double normal_start(long double z, long double excess, long double spread)
{
    const long double root = 4 * z * z + 4 * excess + spread;
    if (!(root > 0)) return 1;
    const long double s = -2 * z + std::sqrt(root);
    return std::sqrt(std::fmax((s * s - spread) / 4, 1e-6L));
}

}  // namespace engine
