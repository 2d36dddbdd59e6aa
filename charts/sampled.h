#pragma once
// Curves from few exact values: a monotone cubic through points, and a
// law's log-density along a grid computed exactly only where it shows.
#include <cmath>
#include <vector>

#include "engine/law.h"

namespace charts {

// Fritsch and Carlson's monotone cubic through the points (xs rising) at x:
// the slopes at the points are limited so that the curve never overshoots them.
double monotone_cubic(const std::vector<double>& xs, const std::vector<double>& ys, double x);

// A law's log-density along the grid xs (rising): exactly at every third
// point, at the points `exact` names, and at every point where the curve
// can be seen (within e^30 of its highest value so far) and bends (by more
// than half a unit of its logarithm from one exact point to the next);
// elsewhere by the monotone cubic through the exact values, and beyond the
// law's 1e-12 quantiles not at all (-infinity). At a noncentrality of 10^5
// each exact value costs some hundred microseconds. NaN where the engine
// cannot give one.
std::vector<double> sampled_log_densities(const engine::Law& law, const std::vector<double>& xs,
                                          const std::vector<double>& exact);

// An engine call that may fault, as NaN.
template <class Call>
double or_nan(const Call& call)
{
    try {
        return call();
    } catch (...) {
        return NAN;
    }
}

}  // namespace charts
