#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "run/value_text.h"

using platform::from_utf8;

using platform::parse;
using platform::render4;

TEST(Parse, ReadsTheLeadingNumber)
{
    struct Row { const char* text; double value; };
    const Row rows[] = {
        {"", 0},         {"    ", 0},      {"abc", 0},         {"-", 0},
        {"+", 0},        {".", 0},         {"-.", 0},          {"1.96", 1.96},
        {" 2 ", 2},      {"\t3", 3},       {"12abc", 12},      {".5", 0.5},
        {"5.", 5},       {"-1.0", -1},     {"+4.5", 4.5},      {"1,96", 1},
        {",5", 0},       {"2,5", 2},       {"1.2.3", 1.2},     {"1e5", 1},
        {"0x10", 0},     {"1 000", 1},     {"- 5", 0},         {"--5", 0},
        {"007", 7},      {"3.84", 3.84},   {"18.307", 18.307},
        {"0.000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000000000000000001", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(parse(from_utf8(r.text)), r.value);
    }
}

TEST(Parse, NumbersBeyondADoubleAreRefused)
{
    const platform::Text huge = u"9" + platform::Text(400, u'9');
    EXPECT_THROW(parse(huge), platform::NumberTooLarge);
    EXPECT_THROW(parse(u"-" + huge + u".5"), platform::NumberTooLarge);
    EXPECT_EQ(parse(u"1" + platform::Text(300, u'0')), 1e300);
}

TEST(Render4, FourDecimalsHalfAwayFromZero)
{
    struct Row { double value; const char* text; };
    const Row rows[] = {
        {0.0500435, "0.0500"}, {1, "1.0000"},         {5.6e-10, "0.0000"},
        {1.82436, "1.8244"},   {0.03125, "0.0313"},   {-0.03125, "-0.0313"},
        {0.99996, "1.0000"},   {9.99995, "10.0000"},  {12.345678, "12.3457"},
        {-0.0013, "-0.0013"},  {-1e-9, "0.0000"},     {-0.0, "0.0000"},
        {-0.00004, "0.0000"},  {-0.00005, "-0.0001"}, {0.5, "0.5000"},
        {1e20, "100000000000000000000.0000"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.value);
        EXPECT_EQ(render4(r.value, u'.'), from_utf8(r.text));
    }
    EXPECT_EQ(render4(0.0500435, u','), u"0,0500");
    EXPECT_EQ(render4(-12.5, u','), u"-12,5000");
}

TEST(CommaRepair, SecondPlaceOnlyAndByPairs)
{
    struct Row { const char* first; const char* second; const char* first_after; const char* second_after; };
    const Row rows[] = {
        {"0,0500", "0,1000", "0.0500", "0.1000"},
        {"1,0000", "0,5000", "1.0000", "0.5000"},
        {"12,3456", "0,5000", "12,3456", "0,5000"},  // first not repaired: second not looked at
        {"-0,0013", "0,0026", "-0,0013", "0,0026"},
        {"0.0500", "0,1000", "0.0500", "0,1000"},    // nothing to repair under a point
        {"0,0500", "12,0000", "0.0500", "12,0000"},
        {"0\u066b0500", "0\u066b1000", "0\u066b0500", "0\u066b1000"},  // other separators stay
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.first);
        platform::Text first = from_utf8(r.first), second = from_utf8(r.second);
        run::repair_pair(first, second);
        EXPECT_EQ(first, from_utf8(r.first_after));
        EXPECT_EQ(second, from_utf8(r.second_after));
    }
}
