// Every shown value of the chi-square, t and F distributions against Boost.Math
// over whole, fractional and huge degrees of freedom, at the usual quantiles of
// both tails, at 0 and far out.
#include <gtest/gtest.h>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/students_t.hpp>

#include <algorithm>
#include <vector>

#include "engine/chi_square.h"
#include "engine/f_distribution.h"
#include "engine/t_distribution.h"

namespace bm = boost::math;

namespace {

constexpr double agreement = 1e-7;
const double tails[] = {0.5, 0.1, 0.05, 0.01, 0.001, 1e-6};

std::vector<double> degrees_grid()
{
    std::vector<double> grid = {0.1, 0.5, 1, 1.5, 2.5, 3, 7.7, 17.34, 30, 99.5};
    for (int nu = 241; nu <= 320; ++nu) grid.push_back(nu);
    for (double nu : {1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9}) grid.push_back(nu);
    return grid;
}

// The statistics to try: both tails' quantiles, 0, and values far out.
template <class Dist>
std::vector<double> statistics(const Dist& dist, double far)
{
    std::vector<double> xs = {0, far};
    for (double alpha : tails) {
        try {
            xs.push_back(bm::quantile(bm::complement(dist, alpha)));
            xs.push_back(bm::quantile(dist, alpha));
        } catch (const std::exception&) {
            // Boost finds no root for a few extreme shapes; the other rows cover them.
        }
    }
    return xs;
}

double doubled(double upper) { return 2 * std::min(upper, 1 - upper); }

}  // namespace

TEST(Oracle, ChiSquareOverAllDegrees)
{
    long compared = 0;
    for (double nu : degrees_grid()) {
        const bm::chi_squared dist(nu);
        for (double x : statistics(dist, 50 * nu + 2000)) {
            double expected;
            try {
                expected = bm::cdf(bm::complement(dist, x));
            } catch (const std::exception&) {
                continue;  // beyond Boost's own range
            }
            EXPECT_NEAR(engine::chi_square(x, nu).P, expected, agreement) << "x=" << x << " nu=" << nu;
            ++compared;
        }
    }
    RecordProperty("compared", static_cast<int>(compared));
}

TEST(Oracle, StudentTOverAllDegrees)
{
    for (double nu : degrees_grid()) {
        const bm::students_t dist(nu);
        for (double t : statistics(dist, 1e6)) {
            for (double sign : {1.0, -1.0}) {
                const double upper = bm::cdf(bm::complement(dist, sign * t));
                const double C = engine::t_distribution(sign * t, nu).C;
                EXPECT_NEAR(1 - C, upper, agreement) << "t=" << sign * t << " nu=" << nu;
                EXPECT_NEAR(doubled(1 - C), doubled(upper), agreement) << "t=" << sign * t << " nu=" << nu;
            }
        }
    }
}

TEST(Oracle, FOverAllDegrees)
{
    const std::vector<double> grid = degrees_grid();
    for (double nu1 : grid) {
        for (double nu2 : grid) {
            // Each box runs through the whole grid; the 241-320 block once against the other box's extremes.
            const bool dense1 = nu1 > 241 && nu1 <= 320, dense2 = nu2 > 241 && nu2 <= 320;
            if ((dense1 && dense2) || ((dense1 || dense2) && std::fmod(nu1 + nu2, 7) != 0)) continue;
            const bm::fisher_f dist(nu1, nu2);
            for (double F : statistics(dist, 1e7)) {
                const double upper = bm::cdf(bm::complement(dist, F));
                const double C = engine::f_distribution(F, nu1, nu2).C;
                EXPECT_NEAR(1 - C, upper, agreement) << "F=" << F << " nu1=" << nu1 << " nu2=" << nu2;
                EXPECT_NEAR(doubled(1 - C), doubled(upper), agreement)
                    << "F=" << F << " nu1=" << nu1 << " nu2=" << nu2;
            }
        }
    }
}
