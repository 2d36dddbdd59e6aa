#pragma once
#include <functional>

namespace engine {

// One side of a distribution as the root search sees it: the logarithm of a
// tail at x > 0, which falls as x grows (an upper tail) or rises (a lower
// one), and the logarithm of the density there, the tail's slope.
struct TailSide {
    std::function<long double(double x)> log_tail;
    std::function<long double(double x)> log_density;
    bool falls;
};

// The x > 0 at which the tail's logarithm is log_p < 0, starting from guess.
// Newton's steps on ln T - ln p against ln x (power-law tails are straight
// lines there, and no step leaves x > 0), each kept inside the bracket the
// values so far enclose; a step that would leave it halves the bracket in
// ln x instead, or, while it is still open, widens it by 16, 256, 65536, ...: so it
// can neither wander nor loop. Ends when a Newton step moves x by less than two
// units in its last place. Raises an overflow Fault for a root beyond the
// largest double and an underflow Fault for one below the smallest, each
// known first from the tail at that end; `evaluations` counts the tails
// computed.
double tail_root(const TailSide& side, long double log_p, double guess, int& evaluations);

}  // namespace engine
