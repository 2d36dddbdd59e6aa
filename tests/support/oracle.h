#pragma once
// Boost.Math as the tests' independent oracle of the distributions.
#include <boost/math/distributions/fisher_f.hpp>

#include <exception>

namespace oracle {

namespace bm = boost::math;

// Boost's F quantile finds no root at some medians (nu1 = nu2 = 10); bisect its
// distribution function there instead.
inline double f_quantile(const bm::fisher_f& dist, double alpha)
{
    try {
        return bm::quantile(bm::complement(dist, alpha));
    } catch (const std::exception&) {
        double lo = 0, hi = 1e6;
        for (int i = 0; i < 200; ++i) {
            const double mid = (lo + hi) / 2;
            (bm::cdf(bm::complement(dist, mid)) > alpha ? lo : hi) = mid;
        }
        return (lo + hi) / 2;
    }
}

}  // namespace oracle
