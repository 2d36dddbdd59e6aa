#include "engine/numeric/real.h"

#include <gtest/gtest.h>

#include <cfloat>

#include "support/fault_matchers.h"

using numeric::FaultKind;
using numeric::Real;

TEST(Real, EachOperationRaisesItsFault)
{
    const Real big = DBL_MAX;
    struct Row { const char* what; std::function<void()> call; std::optional<FaultKind> fault; };
    const Row rows[] = {
        {"1/0", [] { Real(1) / Real(0); }, FaultKind::DivisionByZero},
        {"-1/-0", [] { Real(-1) / Real(-0.0); }, FaultKind::DivisionByZero},
        {"0/0", [] { Real(0) / Real(0); }, FaultKind::ZeroByZero},
        {"max*2", [&] { big * 2; }, FaultKind::Overflow},
        {"max+max", [&] { big + big; }, FaultKind::Overflow},
        {"-max-max", [&] { -big - big; }, FaultKind::Overflow},
        {"max/0.5", [&] { big / 0.5; }, FaultKind::Overflow},
        {"exp(710)", [] { numeric::exp(710); }, FaultKind::Overflow},
        {"exp(-1000)", [] { numeric::exp(-1000); }, std::nullopt},
        {"sqrt(-1)", [] { numeric::sqrt(-1); }, FaultKind::SqrtOfNegative},
        {"sqrt(-0)", [] { numeric::sqrt(-0.0); }, std::nullopt},
        {"log(0)", [] { numeric::log(0); }, FaultKind::LogOfNonPositive},
        {"log(-2)", [] { numeric::log(-2); }, FaultKind::LogOfNonPositive},
        {"0^-1", [] { numeric::pow(0, -1); }, FaultKind::PowerDomain},
        {"0^0", [] { numeric::pow(0, 0); }, std::nullopt},
        {"(-2)^0.5", [] { numeric::pow(-2, 0.5); }, FaultKind::PowerDomain},
        {"10^400", [] { numeric::pow(10, 400); }, FaultKind::Overflow},
        {"tiny*tiny", [] { Real(1e-200) * Real(1e-200); }, std::nullopt},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(fault_of(r.call), r.fault);
    }
}

TEST(Real, SignedPowersOfNegativeBases)
{
    EXPECT_EQ(numeric::pow(-2, 3).value(), -8.0);
    EXPECT_EQ(numeric::pow(-2, -2).value(), 0.25);
}
