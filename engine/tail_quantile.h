#pragma once
// The x > 0 at which one tail of a law takes a level, as every quantile of
// the engine finds it: on the engine's root finder (root.h) in ln x, where
// the tails' power laws are straight lines, by Newton's steps with the slope
// d ln T / d ln x = -+ x f(x) / T, widening x by 16, 256, ... while the
// bracket is open, from a start the caller gives (kept within the doubles).
// A root beyond an end of the doubles shows in the tail there, two tails
// where a search out to the end would take several, each slow where the
// shapes are tiny or huge: an Overflow or an Underflow Fault. A tail flat at
// its level there (tiny degrees put half the mass at each end) is left to
// the search, which finds a nearer x.
#include <functional>

namespace engine {

struct TailQuantile {
    std::function<long double(double x)> log_tail;           // ln of the tail solved, at x
    std::function<long double(double x)> log_x_density;      // ln(x f(x))
    bool upper;                                              // that tail is P(X > x), else P(X < x)
};

double tail_quantile(const TailQuantile& law, long double log_p, double guess);

}  // namespace engine
