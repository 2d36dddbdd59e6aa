#pragma once
#include <functional>

namespace engine {

// The theta in [low, high] at which a tail that rises with theta has the
// logarithm log_p, given that it is below at low and above at high.
// log_tail(theta, slope) returns ln T(theta) and sets slope = d ln T / d theta.
// Newton's steps, each kept inside the bracket the values so far enclose
// and replaced by halving it where it would leave it or did not halve the
// miss; ends when a step moves theta by less than a few units of its last
// place (1e-300 absolute near 0).
double noncentrality_root(const std::function<long double(long double theta, long double& slope)>& log_tail,
                          long double log_p, long double low, long double high, long double guess);

// A start for theta = sqrt(lambda), from a statistic taken as normal with
// its mean `excess` + lambda below the observed point's (so excess = x - nu
// for the chi-square) and its variance `spread` + 4 lambda: the upper tail
// whose normal quantile is z has x - mean = z s, s^2 = spread + 4 lambda, a
// quadratic s^2 + 4 z s - 4 excess - spread = 0. At least 1e-3.
long double normal_start(long double z, long double excess, long double spread);

}  // namespace engine
