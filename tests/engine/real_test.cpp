#include "engine/numeric/real.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>

#include "engine/numeric/quadruple_division.h"
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

#if defined(VARENDO_HAS_QUADRUPLE)
// Quadruple division, which the browser's build supplies itself: divisors just
// below a power of 2 (the compiler runtime's fault there doubled the
// quotient), a tie, and the edges of the range.
TEST(Quadruple, DivisionRoundsToNearest)
{
    using Bits = unsigned __int128;
    const auto of = [](Bits b) {
        numeric::Quadruple q;
        std::memcpy(&q, &b, sizeof q);
        return q;
    };
    const auto bits = [](numeric::Quadruple q) {
        Bits b;
        std::memcpy(&b, &q, sizeof b);
        return b;
    };
    const Bits one = Bits(0x3fff) << 112, two = Bits(0x4000) << 112, half = Bits(0x3ffe) << 112;
    const Bits below_one = one - 1, below_two = two - 1;  // 1 - 2^-113, 2 - 2^-112
    const Bits smallest_normal = Bits(1) << 112, largest = (Bits(0x7fff) << 112) - 1;
    struct Row { Bits a, b, quotient; };
    const Row rows[] = {
        {one, below_one, one + 1},            // 1 + 2^-113 + ..., above the tie: up
        {two, below_one, two + 1},
        {one, below_two, half + 1},
        {one + 3, one + 1, one + 2},          // (1 + 3e)/(1 + e) = 1 + 2e - 2e^2 + ...: down to 1 + 2e
        {smallest_normal, two, Bits(1) << 111},  // into the subnormals, exactly
        {Bits(1), two, Bits(0)},              // half the smallest subnormal: the tie goes to even 0
        {Bits(3), two, Bits(2)},              // 1.5 units: the tie goes to even 2
        {largest, half, Bits(0x7fff) << 112},  // past the largest: infinity
    };
    for (const Row& r : rows) {
        const Bits got = bits(numeric::divide(of(r.a), of(r.b)));
        EXPECT_TRUE(got == r.quotient) << "row " << (&r - rows);
    }
}
#endif
