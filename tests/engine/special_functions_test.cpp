// The log-gamma and the two density terms the incomplete functions stand on,
// against Boost.Math in long double, at small, whole, half-whole, large and
// peak arguments, where a careless formula loses its digits.
#include <gtest/gtest.h>

#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <boost/math/special_functions/polygamma.hpp>
#include <cmath>

#include "engine/binomial_term.h"
#include "engine/log_gamma.h"
#include "engine/poisson_term.h"
#include "engine/polygamma.h"

namespace bm = boost::math;

TEST(SpecialFunctions, LogGamma)
{
    // Near 1 and 2 the log-gamma's zeros: there its error must be relative too.
    for (long double z : {1e-300L, 1e-10L, 0.1L, 0.5L, 0.75L, 1.0L, 1 + 3.8e-6L, 1.25L, 1.5L, 2 - 1e-9L, 2.0L,
                          2 + 3.8e-6L, 2.25L, 2.5L, 3.7L, 10.0L, 19.99L, 20.0L, 100.5L, 1e4L, 5e8L}) {
        const long double exact = bm::lgamma(z);
        const long double scale = exact == 0 ? 1e-300L : std::fabs(exact);
        EXPECT_LE(std::fabs(engine::log_gamma(z) - exact) / scale, 1e-16L) << "z=" << static_cast<double>(z);
    }
    EXPECT_EQ(engine::log_gamma(1), 0);
    EXPECT_EQ(engine::log_gamma(2), 0);
}

// Below 20 by the recurrence, from 20 by the asymptotic series; near the
// digamma's zero at 1.4616 absolutely.
TEST(SpecialFunctions, Polygamma)
{
    for (int k = 0; k <= 3; ++k) {
        for (long double z : {1.0L, 1.4616321449683623L, 2.5L, 7.25L, 19.99L, 20.0L, 21.5L, 1e4L, 5e8L}) {
            const long double exact = k == 0 ? bm::digamma(z) : bm::polygamma(k, z);
            const long double scale = std::fmax(std::fabs(exact), k == 0 ? 1.0L : 0.0L);
            EXPECT_LE(std::fabs(engine::polygamma(k, z) - exact) / scale, 1e-17L)
                << "k=" << k << " z=" << static_cast<double>(z);
        }
    }
}

TEST(SpecialFunctions, PoissonAndBinomialTermsKeepTheirDigitsAtThePeak)
{
    struct Row { long double a, m; };
    const Row poisson[] = {{1e-12L, 0.3L}, {0.05L, 0.01L}, {0.5L, 3}, {1, 1}, {12.5L, 10}, {500, 500}, {5e5L, 5e5L + 700},
                           {5e8L, 5e8L - 3e4L}};
    for (const Row& r : poisson) {
        const long double exact = bm::gamma_p_derivative(r.a + 1, r.m);
        EXPECT_NEAR(static_cast<double>(std::exp(engine::log_poisson_term(r.a, r.m)) / exact), 1, 1e-15)
            << "a=" << static_cast<double>(r.a) << " m=" << static_cast<double>(r.m);
    }
    // By the odds r = q/p. Where p is near 1 the oracle's own p^k is off by
    // k units of p's rounding; the t rows at 10^9 degrees test that side.
    struct BRow { long double k, l, odds; };
    const BRow binomial[] = {{0.05L, 0.05L, 1}, {0.5L, 5e8L, 1e9L}, {10, 2, 0.6L},
                             {5e4L, 5e4L, 0.9988L}, {5e8L, 5e8L, 0.99996L}, {3, 5e7L, 1.6e7L}};
    for (const BRow& r : binomial) {
        const long double p = 1 / (1 + r.odds);
        const long double exact = bm::ibeta_derivative(r.k + 1, r.l + 1, p) / (r.k + r.l + 1);
        EXPECT_NEAR(static_cast<double>(std::exp(engine::log_binomial_term(r.k, r.l, r.odds)) / exact), 1, 1e-12)
            << "k=" << static_cast<double>(r.k) << " l=" << static_cast<double>(r.l);
    }
}
