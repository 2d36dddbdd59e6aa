// Each routine against Boost.Math on a grid of whole degrees of freedom and
// statistics at the usual quantiles.
#include <gtest/gtest.h>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>

#include "engine/chi_square_upper.h"
#include "engine/f_probability.h"
#include "engine/normal_areas.h"
#include "engine/student_t.h"
#include "engine/numeric/fault.h"
#include "support/oracle.h"

namespace bm = boost::math;

namespace {
const double tails[] = {0.5, 0.1, 0.05, 0.01, 0.001};
constexpr double agreement = 1e-7;

}  // namespace

TEST(Oracle, ChiSquareUpperTail)
{
    int compared = 0, faulted = 0;
    for (int nu = 1; nu <= 300; ++nu) {
        const bm::chi_squared dist(nu);
        for (double alpha : tails) {
            const double x = bm::quantile(bm::complement(dist, alpha));
            try {
                const double P = engine::chi_square_upper(x, nu).P;
                EXPECT_NEAR(P, bm::cdf(bm::complement(dist, x)), agreement)
                    << "nu=" << nu << " x=" << x;
                ++compared;
            } catch (const numeric::Fault& f) {
                // x^k outgrows a double for large nu at the far quantiles.
                EXPECT_EQ(f.kind(), numeric::FaultKind::Overflow) << "nu=" << nu;
                EXPECT_GT(nu, 200) << "x=" << x;
                ++faulted;
            }
        }
    }
    RecordProperty("compared", compared);
    RecordProperty("faulted", faulted);
    EXPECT_GT(compared, 1200);
}

TEST(Oracle, NormalAreas)
{
    const bm::normal dist;
    for (double alpha : tails) {
        for (double sign : {1.0, -1.0}) {
            const double z = sign * bm::quantile(bm::complement(dist, alpha));
            const double u = engine::normal_area(z).u;
            const double exact = bm::cdf(dist, std::fabs(z)) - 0.5;
            EXPECT_NEAR(u, exact, agreement) << "z=" << z;
            EXPECT_NEAR(0.5 - u, alpha, agreement) << "z=" << z;
            // The doubled areas carry twice the polynomial's error.
            EXPECT_NEAR(2 * u, 1 - 2 * alpha, 2 * agreement) << "z=" << z;
            EXPECT_NEAR(1 - 2 * u, 2 * alpha, 2 * agreement) << "z=" << z;
        }
    }
}

TEST(Oracle, StudentT)
{
    for (int nu = 1; nu <= 300; ++nu) {
        const bm::students_t dist(nu);
        for (double alpha : tails) {
            const double t = bm::quantile(bm::complement(dist, alpha));
            EXPECT_NEAR(1 - engine::student_t(t, nu).C, alpha, agreement) << "nu=" << nu;
            EXPECT_NEAR(engine::student_t(-t, nu).C, alpha, agreement) << "nu=" << nu;
        }
    }
}

TEST(Oracle, F)
{
    const int degrees[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 17, 20, 24, 30,
                           40, 49, 60, 75, 100, 120, 150, 199, 240, 299, 300};
    for (int nu1 : degrees) {
        for (int nu2 : degrees) {
            const bm::fisher_f dist(nu1, nu2);
            for (double alpha : tails) {
                const double F = oracle::f_quantile(dist, alpha);
                const double upper = bm::cdf(bm::complement(dist, F));
                EXPECT_NEAR(1 - engine::f_probability(F, nu1, nu2).C, upper, agreement)
                    << "F=" << F << " nu1=" << nu1 << " nu2=" << nu2;
            }
        }
    }
}
