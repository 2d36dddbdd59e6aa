// The search of the law of r's quantiles and of its rho, on logarithms of
// tails (which rise or fall smoothly in atanh r and atanh rho): bracketed,
// so it can neither wander nor loop.
#include "engine/correlation_root.h"

#include <cmath>

#include "engine/numeric/fault.h"

namespace engine {

long double rising_root(const std::function<long double(long double)>& g, long double low, long double g_low,
                        long double high, long double g_high, const std::function<long double(long double)>& tolerance)
{
    int side = 0;
    long double width = high - low;
    for (int i = 0; i < 300; ++i) {
        const long double mid = low / 2 + high / 2;
        // Within tolerance, or no number left between the ends.
        if (high - low <= tolerance(mid) || !(mid > low && mid < high)) return mid;
        long double x = (low * g_high - high * g_low) / (g_high - g_low);
        if (i % 2 == 1) {
            if (high - low > width / 2) x = mid;
            width = high - low;
        }
        if (!(x > low && x < high)) x = mid;
        const long double v = g(x);
        if (v == 0) return x;
        if (v < 0) {
            low = x, g_low = v;
            if (side == -1) g_high /= 2;
            side = -1;
        } else {
            high = x, g_high = v;
            if (side == 1) g_low /= 2;
            side = 1;
        }
    }
    throw numeric::Fault(numeric::FaultKind::NoConvergence);
}

Bracket bracket_root(const std::function<long double(long double)>& g, long double guess, long double step,
                     long double limit)
{
    guess = std::fmin(std::fmax(guess, -limit), limit);
    Bracket b{std::fmax(guess - step, -limit), 0, std::fmin(guess + step, limit), 0, false, false};
    b.g_low = g(b.low);
    const bool moved = b.g_low > 0;
    while (b.g_low > 0) {
        if (b.low == -limit) {
            b.below = true;
            return b;
        }
        b.high = b.low, b.g_high = b.g_low;
        b.low = std::fmax(b.low - step, -limit), step *= 2;
        b.g_low = g(b.low);
    }
    if (!moved) b.g_high = g(b.high);
    while (b.g_high < 0) {
        if (b.high == limit) {
            b.above = true;
            return b;
        }
        b.low = b.high, b.g_low = b.g_high;
        b.high = std::fmin(b.high + step, limit), step *= 2;
        b.g_high = g(b.high);
    }
    return b;
}

}  // namespace engine
