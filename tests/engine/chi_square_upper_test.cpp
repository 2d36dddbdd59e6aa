#include "engine/chi_square_upper.h"

#include <gtest/gtest.h>

#include "support/fault_matchers.h"

using engine::chi_square_upper;
using numeric::FaultKind;

struct ChiRow {
    double x, nu, P, tolerance;
    long terms;  // -1 where the table gives no count
};

TEST(ChiSquareUpper, ReproducesTheTableRows)
{
    const ChiRow rows[] = {
        {3.84, 1, 0.0500435, 1e-7, 13},
        {5.99, 2, 0.0500366, 1e-7, -1},
        {11.07, 5, 0.0500096, 1e-7, -1},
        {18.307, 10, 0.0500006, 1e-7, -1},
        {1, 2.5, 0.7559293, 1e-7, -1},
        {0, 2, 1.0, 0.0, 0},           // the first term is 0
        {0, 0, 0.0, 0.0, 0},
        {2, 0, 1.0e-8, 0.05e-8, -1},
        {-1, 2, 1.8243606, 1e-7, 0},   // a negative first term ends the series at once
        {100, 1, 0.0, 1e-11, 145},  // cancellation leaves about 1e-12
    };
    for (const ChiRow& r : rows) {
        SCOPED_TRACE(testing::Message() << "x=" << r.x << " nu=" << r.nu);
        const auto result = chi_square_upper(r.x, r.nu);
        EXPECT_NEAR(result.P, r.P, r.tolerance);
        if (r.terms >= 0) {
            EXPECT_EQ(result.terms_added, r.terms);
        }
    }
}

TEST(ChiSquareUpper, TermCountGrowsWithX)
{
    // About 1,900 terms near the largest x the series can take.
    const long terms = chi_square_upper(1400, 2).terms_added;
    EXPECT_GT(terms, 1800);
    EXPECT_LT(terms, 2000);
}

TEST(ChiSquareUpper, FaultsWhereTheArithmeticFails)
{
    struct Row { double x, nu; FaultKind fault; };
    const Row rows[] = {
        {0, 1, FaultKind::DivisionByZero},    // 2/x with x = 0
        {-1, 1, FaultKind::SqrtOfNegative},
        {5, 301, FaultKind::Overflow},        // the product of every second number
        {0, -3, FaultKind::PowerDomain},      // 0 to a negative power
        {1500, 2, FaultKind::Overflow},       // the terms outgrow a double
        {-1500, 2, FaultKind::Overflow},      // exp(750)
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "x=" << r.x << " nu=" << r.nu);
        EXPECT_EQ(fault_of([&] { chi_square_upper(r.x, r.nu); }), r.fault);
    }
}
