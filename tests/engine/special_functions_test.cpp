// The log-gamma and the two density terms the incomplete functions stand on,
// against Boost.Math, relative to the value, at small, whole, half-whole,
// large and peak arguments, where a careless formula loses its digits.
#include <gtest/gtest.h>

#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/gamma.hpp>

#include "engine/binomial_term.h"
#include "engine/log_gamma.h"
#include "engine/poisson_term.h"

namespace bm = boost::math;

TEST(SpecialFunctions, LogGamma)
{
    for (double z : {1e-300, 1e-10, 0.1, 0.5, 1.0, 1.5, 2.0, 2.5, 3.7, 10.0, 14.99, 15.0, 15.01, 100.5, 1e4, 5e8}) {
        const double exact = static_cast<double>(bm::lgamma(static_cast<long double>(z)));
        // Near the zeros at 1 and 2 the error is absolute.
        EXPECT_NEAR(engine::log_gamma(z), exact, 1e-14 * std::fmax(1.0, std::fabs(exact))) << "z=" << z;
    }
}

TEST(SpecialFunctions, PoissonAndBinomialTermsKeepTheirDigitsAtThePeak)
{
    struct Row { double a, m; };
    const Row poisson[] = {{0.05, 0.01}, {0.5, 3}, {1, 1}, {12.5, 10}, {500, 500}, {5e5, 5e5 + 700}, {5e8, 5e8 - 3e4}};
    for (const Row& r : poisson) {
        const double exact = bm::gamma_p_derivative(r.a + 1, r.m);
        EXPECT_NEAR(engine::poisson_term(r.a, r.m) / exact, 1, 1e-12) << "a=" << r.a << " m=" << r.m;
    }
    struct BRow { double k, l, p; };
    const BRow binomial[] = {{0.05, 0.05, 0.5}, {0.5, 5e8, 1e-9}, {5e8, 0.5, 1 - 1e-9}, {10, 2, 0.625},
                             {5e4, 5e4, 0.5003}, {5e8, 5e8, 0.50001}, {3, 5e7, 6e-8}};
    for (const BRow& r : binomial) {
        const double exact = bm::ibeta_derivative(r.k + 1, r.l + 1, r.p) / (r.k + r.l + 1);
        EXPECT_NEAR(engine::binomial_term(r.k, r.l, r.p, 1 - r.p) / exact, 1, 1e-9) << "k=" << r.k << " l=" << r.l;
    }
}
