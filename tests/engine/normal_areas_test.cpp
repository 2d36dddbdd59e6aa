#include "engine/normal_areas.h"

#include <gtest/gtest.h>

#include "support/fault_matchers.h"

using engine::normal_area;

TEST(NormalArea, ReproducesTheTableRows)
{
    struct Row { double z, u; };
    const Row rows[] = {
        {1.96, 0.4750022}, {-1.0, 0.3413447}, {1, 0.3413447},
        {-3, 0.4986500},   {2.575, 0.4949880},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.z);
        EXPECT_NEAR(normal_area(r.z).u, r.u, 5e-8);
    }
}

TEST(NormalArea, AtZeroThePolynomialIsAlmostExact)
{
    const auto at_zero = normal_area(0);
    EXPECT_EQ(at_zero.t, 1.0);
    EXPECT_NEAR(at_zero.poly, 1.253314136, 5e-10);
    EXPECT_NEAR(at_zero.u, 5.6e-10, 0.05e-10);
}

TEST(NormalArea, FarOutTheExponentialVanishesWithoutFault)
{
    EXPECT_EQ(normal_area(40).u, 0.5);
    EXPECT_EQ(normal_area(-1e150).u, 0.5);
}

TEST(NormalArea, ZSquaredBeyondADoubleFaults)
{
    EXPECT_EQ(fault_of([] { normal_area(1.4e154); }), numeric::FaultKind::Overflow);
    EXPECT_EQ(fault_of([] { normal_area(-1e200); }), numeric::FaultKind::Overflow);
}
