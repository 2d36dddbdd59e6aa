#include "engine/tail_root.h"

#include <cfloat>
#include <cmath>

#include "engine/numeric/fault.h"

namespace engine {

double tail_root(const TailSide& side, long double log_p, double guess, int& evaluations)
{
    if (!(guess > 0) || !std::isfinite(guess) || !(log_p < 0) || !std::isfinite(log_p))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    // Halving ln x from the whole range of doubles takes about 11 steps to a
    // unit of it and 52 more to the last bit; Newton takes far fewer.
    constexpr int most_evaluations = 300;
    const long double ln_smallest = std::log(static_cast<long double>(DBL_TRUE_MIN));
    const long double ln_largest = std::log(static_cast<long double>(DBL_MAX));

    // A root beyond either end of the doubles shows in the tail there: two
    // tails, where a search out to the end would take dozens, each slow
    // where the shapes are tiny or huge.
    for (const double end : {DBL_MAX, DBL_TRUE_MIN}) {
        ++evaluations;
        const long double g = side.log_tail(end) - log_p;
        // Above its target at the largest x, an upper tail's root lies beyond
        // it. A tail flat at its target there (tiny degrees put half the mass
        // at each end) is left to the search, which finds a nearer x.
        if (g == 0) continue;
        const bool above = (g > 0) == side.falls;
        if (end == DBL_MAX && above) throw numeric::Fault(numeric::FaultKind::Overflow);
        if (end == DBL_TRUE_MIN && !above) throw numeric::Fault(numeric::FaultKind::Underflow);
    }

    long double low = -INFINITY, high = INFINITY;  // the bracket, in ln x
    long double stride = 2.77258872223978123767L;  // ln 16, doubled at each widening
    long double u = std::log(static_cast<long double>(guess));
    double x = guess;
    // The doubles at the bracket's ends, and the one whose tail came nearest.
    double x_low = 0, x_high = INFINITY, best = guess;
    long double best_g = INFINITY, last_g = INFINITY;
    for (;;) {
        if (++evaluations > most_evaluations) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        const long double log_tail = side.log_tail(x);
        const long double g = log_tail - log_p;
        if (g == 0) return x;
        if (std::fabs(g) < best_g) best = x, best_g = std::fabs(g);
        // Above its target an upper tail says x is too small.
        if ((g > 0) == side.falls) low = u, x_low = x;
        else high = u, x_high = x;

        // d ln T / d ln x = -+x f / T.
        const long double slope = std::exp(std::log(static_cast<long double>(x)) + side.log_density(x) - log_tail);
        const long double step = g / (side.falls ? -slope : slope);
        // A step below a quarter of x's last bit: no double is nearer the root.
        if (std::fabs(step) <= DBL_EPSILON / 4) return x;
        long double next = u - step;
        // Newton's step rounds back onto x: no double is nearer the root.
        if (static_cast<double>(std::exp(next)) == x) return x;
        // Where the tail is flat, its last bit moves x by more than one of
        // x's: a step back onto a bracket's end would then go round forever.
        // And a Newton step that did not halve the miss, as where the tail and
        // the density are both far below the smallest double and their ratio
        // has lost its digits, gives way to halving the bracket.
        const bool bracketed = !std::isinf(low) && !std::isinf(high);
        const bool newton = next > low && next < high && static_cast<double>(std::exp(next)) > x_low &&
                            static_cast<double>(std::exp(next)) < x_high && !(bracketed && std::fabs(g) > last_g / 2);
        last_g = std::fabs(g);
        if (!newton) {
            if (std::isinf(high)) next = u + stride, stride *= 2;
            else if (std::isinf(low)) next = u - stride, stride *= 2;
            else next = low / 2 + high / 2;
        }
        if (next > ln_largest) {
            if (low >= ln_largest - 1e-16L) throw numeric::Fault(numeric::FaultKind::Overflow);
            next = std::isinf(high) ? ln_largest : std::fmin(next, high);
        }
        if (next < ln_smallest) {
            if (high <= ln_smallest + 1e-16L) throw numeric::Fault(numeric::FaultKind::Underflow);
            next = std::isinf(low) ? ln_smallest : std::fmax(next, low);
        }
        const double x_next = static_cast<double>(std::exp(next));
        // Newton's last step is good to far below a bit; a halving's is not.
        if (newton && std::fabs(x_next - x) <= 2 * DBL_EPSILON * x_next) return x_next;
        // The bracket holds no other double: its ends are the answer's neighbours.
        if (!newton && (x_next <= x_low || x_next >= x_high)) return best;
        if (x_next == x) return x;
        x = x_next;
        // ln x of the double itself, so that the next step starts where the tail was taken.
        u = std::log(static_cast<long double>(x));
    }
}

}  // namespace engine
