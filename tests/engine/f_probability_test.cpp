#include "engine/f_probability.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/log_gamma_step.h"
#include "support/fault_matchers.h"

using engine::f_probability;

TEST(FProbability, ReproducesTheTableRows)
{
    struct Row { double F, nu1, nu2, upper; long terms; };
    const Row rows[] = {
        {3, 4, 20, 0.0432010, 2},  // the second term is 0
        {2.87, 4, 20, 0.0497855, -1},
        {2, 2, 2, 1.0 / 3, 1},     // the first term is 0
        {1, 5, 5, 0.5000000, -1},
        {5.05, 5, 5, 0.0500063, -1},
        {4.96, 1, 10, 0.0500877, -1},
        {161.4, 1, 1, 0.0500073, -1},
        {3, 3, 10, 0.0817470, -1},
        {1, 1, 100, 0.3197242, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.F << " " << r.nu1 << " " << r.nu2);
        const auto result = f_probability(r.F, r.nu1, r.nu2);
        EXPECT_NEAR(1 - result.C, r.upper, 5e-8);
        if (r.terms >= 0) {
            EXPECT_EQ(result.terms, r.terms);
        }
    }
}

TEST(FProbability, LopsidedDegreesNeedHundredsOfTerms)
{
    const long terms = f_probability(1, 1, 100).terms;
    EXPECT_GT(terms, 100);
    EXPECT_LT(terms, 5000);
}

TEST(FProbability, FaultsAtTheEdges)
{
    using numeric::FaultKind;
    struct Row { double F, nu1, nu2; FaultKind fault; };
    const Row rows[] = {
        {0, 4, 20, FaultKind::LogOfNonPositive},
        {1e-18, 4, 20, FaultKind::LogOfNonPositive},  // nu2 + nu1*F rounds to nu2
        {3, 0, 20, FaultKind::DivisionByZero},
        {3, 4, 0, FaultKind::LogOfNonPositive},
        {0, 0, 0, FaultKind::ZeroByZero},
        {1e308, 4, 20, FaultKind::Overflow},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.F << " " << r.nu1 << " " << r.nu2);
        EXPECT_EQ(fault_of([&] { f_probability(r.F, r.nu1, r.nu2); }), r.fault);
    }
}

TEST(LogGammaStep, ExactForWholeAndHalfWholeArguments)
{
    const double ln_sqrt_pi = 0.57236494;
    struct Row { double a, expected; };
    const Row rows[] = {
        {1, 0},
        {2, 0},
        {5, std::log(24.0)},
        {0.5, ln_sqrt_pi},
        {1.5, std::log(0.5) + ln_sqrt_pi},
        {3.5, std::log(2.5) + std::log(1.5) + std::log(0.5) + ln_sqrt_pi},
        {-3, ln_sqrt_pi},   // every a <= 0
        {2.3, std::log(1.3) + std::log(0.3) + ln_sqrt_pi},  // not ln Gamma: as the step is
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.a);
        EXPECT_NEAR(engine::log_gamma_step(r.a), r.expected, 1e-13);
    }
    EXPECT_NEAR(engine::log_gamma_step(101), std::lgamma(101.0), 1e-9);
}
