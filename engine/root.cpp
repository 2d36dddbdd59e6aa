// One pass a miss: the miss at a double x moves one end of the bracket,
// then a step (Newton's, Illinois', a halving or a widening) gives the next
// double, or shows that no double is nearer the root. The miss is always
// taken at a double, and v is that double's own (its logarithm in extended
// precision), so that each step starts where the miss was taken and the
// answer is a double the search has tried or stepped to.
#include "engine/root.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <cstdint>

#include "engine/numeric/fault.h"

namespace engine {

double root(const RootSearch& s)
{
    if (!(s.lowest <= s.guess && s.guess <= s.highest) || !std::isfinite(s.lowest) || !std::isfinite(s.highest) ||
        (s.logarithmic && !(s.lowest > 0)) || !(s.stride > 0) || !(s.tolerance >= 0))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    // Halving ln x across the doubles takes about 11 steps to a unit of it
    // and 52 more to the last bit, and widening from a guess out to either
    // end about 10; Newton and Illinois take far fewer.
    constexpr int most_evaluations = 300;
    auto v_of = [&](double x) { return s.logarithmic ? std::log(static_cast<long double>(x)) : x; };
    auto x_of = [&](long double v) {
        return std::fmin(std::fmax(static_cast<double>(s.logarithmic ? std::exp(v) : v), s.lowest), s.highest);
    };

    // The bracket: the nearest doubles tried below the root and above it, in
    // x and in v, and their misses (the Illinois steps halve one); a side is
    // open until some x falls on it.
    bool low_open = true, high_open = true;
    double x_low = s.lowest, x_high = s.highest;
    long double v_low = 0, v_high = 0, g_low = 0, g_high = 0;
    int moved = 0;  // the end the last Illinois step moved, -1 low, 1 high; 0 after any other step
    bool illinois = false;
    // The bracket's middle, in v; in x, where one end is below the other's
    // last bit (0, or near it), the middle of the doubles between them, in
    // their order as whole numbers through 0: a root at 0, or one whose miss
    // is lost in rounding near 0, then takes some 64 halvings, not 1075.
    auto middle = [&]() -> long double {
        if (s.logarithmic || std::fmin(std::fabs(x_low), std::fabs(x_high)) >=
                                 DBL_EPSILON * std::fmax(std::fabs(x_low), std::fabs(x_high)))
            return v_low / 2 + v_high / 2;
        // A double's bits as a whole number and back (memcpy: every compiler
        // the program is built with has it, not all have std::bit_cast).
        auto rank = [](double y) {
            std::int64_t i;
            std::memcpy(&i, &y, sizeof i);
            return i < 0 ? -(i & INT64_MAX) : i;
        };
        auto of_rank = [](std::int64_t i) {
            double y;
            const std::int64_t bits = i < 0 ? -i : i;
            std::memcpy(&y, &bits, sizeof y);
            return i < 0 ? -y : y;
        };
        return of_rank(rank(x_low) / 2 + rank(x_high) / 2);
    };

    double x = s.guess, best = x;
    long double v = v_of(x), stride = s.stride, best_miss = INFINITY, last_miss = INFINITY;
    for (int evaluations = 1;; ++evaluations) {
        if (evaluations > most_evaluations) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        const long double g = s.miss(x);
        if (g == 0) return x;
        if (std::fabs(g) < best_miss) best = x, best_miss = std::fabs(g);
        const bool below = s.rising ? g < 0 : g > 0;
        // At a limit with the root still beyond it: that limit.
        if ((below && x == s.highest) || (!below && x == s.lowest)) return x;
        const int end = below ? -1 : 1;
        if (illinois && end == moved) (below ? g_high : g_low) /= 2;
        moved = illinois ? end : 0;
        if (below) low_open = false, x_low = x, v_low = v, g_low = g;
        else high_open = false, x_high = x, v_high = v, g_high = g;
        const bool bracketed = !low_open && !high_open;
        if (bracketed && s.tolerance > 0 &&
            x_high - x_low <= s.tolerance * std::fmax(std::fabs(x_low), std::fabs(x_high)))
            return x_low / 2 + x_high / 2;

        // The step: Newton's where the slope has the miss's sense, else
        // Illinois' between the bracket's ends, each kept only strictly
        // inside the bracket (where the miss is flat its last bit moves x by
        // more than one of x's, and a step back onto an end would go round
        // forever) and where the last step halved the miss (Newton's does not
        // where the miss and its slope have lost their digits, Illinois' while
        // one end's miss dwarfs the other's); else halving the bracket, or
        // widening it while open.
        // Newton's step ends the search only where the miss is below 1: far
        // from the root a slope formed from logarithms beyond 1e15 (a tail's
        // and a density's, each good to a part in 1e16) has lost its digits
        // and would end it anywhere. There a step that rounds back onto x
        // goes to x's neighbour on the root's side instead, whose miss shows
        // whether x is the root's.
        const bool halved = !(std::fabs(g) > last_miss / 2), trusted = std::fabs(g) < 1;
        last_miss = std::fabs(g);
        long double next = NAN;
        bool newton = false, neighbour = false;
        illinois = !s.slope && bracketed;
        if (s.slope) {
            const long double d = s.slope(x, g);
            if (s.rising ? d > 0 : d < 0) {
                next = v - g / d;
                newton = std::isfinite(next);
                if (newton && x_of(next) == x) {
                    if (trusted) return x;
                    neighbour = halved;
                }
            }
        } else if (illinois) {
            next = v_low + (v_high - v_low) * (g_low / (g_low - g_high));
        }
        const bool inside = (low_open || x_of(next) > x_low) && (high_open || x_of(next) < x_high);
        if (neighbour) {
            newton = false;
        } else if (!((newton || illinois) && inside && halved)) {
            newton = false;
            if (bracketed) next = middle();
            else next = below ? v + stride : v - stride, stride *= 2;
        }
        const double x_next = neighbour ? std::fmin(std::fmax(std::nextafter(x, below ? INFINITY : -INFINITY), s.lowest),
                                                     s.highest)
                                        : x_of(next);
        // Newton's last step is good to far below a bit; a halving's is not.
        if (newton && trusted && std::fabs(x_next - x) <= 2 * DBL_EPSILON * std::fmax(std::fabs(x_next), DBL_MIN))
            return x_next;
        // The bracket holds no other double: its ends are the root's neighbours.
        if ((!low_open && x_next <= x_low) || (!high_open && x_next >= x_high) || x_next == x) return best;
        x = x_next;
        v = v_of(x);
    }
}

}  // namespace engine
