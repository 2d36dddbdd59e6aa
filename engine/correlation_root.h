#pragma once
#include <functional>

namespace engine {

// The root of a function that rises through 0 on [low, high], g(low) < 0 <
// g(high) given with their values: the Illinois method (regula falsi whose
// end that stays twice halves its value), a bisection wherever two steps
// did not halve the bracket. Ends where the bracket is within tolerance(x)
// of its middle x, or holds no number between its ends; a NoConvergence
// Fault after 300 values.
long double rising_root(const std::function<long double(long double)>& g, long double low, long double g_low,
                        long double high, long double g_high, const std::function<long double(long double)>& tolerance);

// The bracket about guess with g below 0 at its low end and above at its
// high end, widened by doubling steps from `step`, kept inside [-limit,
// limit]; `below` (`above`) says that g at -limit (limit) is still above
// (below) 0, where no root lies inside.
struct Bracket {
    long double low, g_low, high, g_high;
    bool below, above;
};
Bracket bracket_root(const std::function<long double(long double)>& g, long double guess, long double step,
                     long double limit);

}  // namespace engine
