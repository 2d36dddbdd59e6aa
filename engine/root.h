#pragma once
// The engine's one root finder: the x at which a miss g(x), monotone in x,
// crosses 0, searched from a guess between hard limits on x. The caller
// chooses the variable v in which the steps are taken, x itself or ln x, as
// the one in which g is nearest a straight line (a tail against ln x, the
// noncentrality near 0 in ln theta). With a slope dg/dv, Newton's steps;
// without one, Illinois' (regula falsi, the retained end's miss halved when
// it is kept twice). Each is kept inside the bracket the values so far
// enclose: a step that would leave it, or follows one that did not halve the
// miss, halves the bracket instead (in the doubles' order where one end is
// below the other's last bit). While the bracket is open on the root's side,
// a step that is not Newton's widens it by a stride, doubled at each use, up
// to the limits. Returns
//   - an x at which the miss is 0;
//   - where the miss is below 1 (the misses solved here are differences of
//     logarithms), the double a Newton step reaches where it moves x by at
//     most two units in its last place (Newton's error is then far below
//     one), or x where it rounds back onto it;
//   - where the bracket holds no other double, its end with the smaller miss;
//   - with a tolerance, the bracket's middle once it is that narrow relative
//     to its ends;
//   - a limit, where the miss there shows the root beyond it.
// Raises a NoConvergence Fault after 300 evaluations of the miss, and an
// OutsideDomain Fault for a guess outside the limits, limits that are not
// finite (or not positive in ln x), or a stride that is not positive.
#include <functional>

namespace engine {

struct RootSearch {
    std::function<long double(double x)> miss;
    // dg/dv at x, given the miss there (so that a tail need not be taken
    // twice); left empty where the caller has no slope.
    std::function<long double(double x, long double miss)> slope;
    bool rising;             // g rises with x; else it falls
    bool logarithmic;        // the steps in v = ln x, else in v = x
    double lowest, highest;  // the limits: no x beyond them is tried
    double guess;            // the first x tried
    long double stride;      // the first widening, in v; INFINITY goes to the limit
    double tolerance = 0;    // a relative width of the bracket that ends the search; 0 for none
};

double root(const RootSearch& search);

}  // namespace engine
