#include "engine/student_t.h"

#include <gtest/gtest.h>

#include "support/fault_matchers.h"

using engine::student_t;

TEST(StudentT, ReproducesTheTableRows)
{
    struct Row { double t, nu; long passes; double C; };
    const Row rows[] = {
        {2, 10, 4, 0.9633059826},     {2.228, 10, 4, 0.9749941140}, {1, 1, 0, 0.7499999990},
        {12.706, 1, 0, 0.9749995970}, {2, 2, 0, 0.9082482904},      {3.182, 3, 0, 0.9749914299},
        {2, 4, 1, 0.9419417382},      {2, 5, 1, 0.9490302589},      {2.5, 7, 2, 0.9795038889},
        {1.96, 1000, 499, 0.9748634075}, {0, 7, 2, 0.5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "t=" << r.t << " nu=" << r.nu);
        const auto result = student_t(r.t, r.nu);
        EXPECT_NEAR(result.C, r.C, 1e-10);
        EXPECT_EQ(result.passes, r.passes);
    }
}

TEST(StudentT, NegativeTMirrorsPositive)
{
    for (double nu : {1.0, 2.0, 7.0, 30.0}) {
        SCOPED_TRACE(nu);
        EXPECT_NEAR(student_t(-2, nu).C, 1 - student_t(2, nu).C, 1e-15);
    }
}

TEST(StudentT, FaultsInTheAngle)
{
    using numeric::FaultKind;
    struct Row { double t, nu; FaultKind fault; };
    const Row rows[] = {
        {2, 0, FaultKind::DivisionByZero},
        {0, 0, FaultKind::ZeroByZero},
        {2, -4, FaultKind::SqrtOfNegative},
        {1e300, 1e-300, FaultKind::Overflow},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "t=" << r.t << " nu=" << r.nu);
        EXPECT_EQ(fault_of([&] { student_t(r.t, r.nu); }), r.fault);
    }
}
