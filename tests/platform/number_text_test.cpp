#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>

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
        {",5", 0},       {"2,5", 2},       {"1.2.3", 1.2},     {"0x10", 0},
        {"1 000", 1},    {"- 5", 0},       {"--5", 0},         {"007", 7},
        {"3.84", 3.84},  {"18.307", 18.307},
        // An exponent after the digits, as other programs print statistics.
        {"1e6", 1e6},    {"2.5E-3", 0.0025}, {"1e+2", 100},    {"1.2e+03x", 1200},
        {"-4e-1", -0.4}, {"1e", 1},        {"1e+", 1},         {"1E-x", 1},
        {"1 e5", 1},     {"e5", 0},        {".e5", 0},         {"1e2.5", 100},
        {"1e-400", 0},   {"0e99999999999999999999", 0},        {"5.e1", 50},
        // The nearest double, ties to even, however many digits.
        {"9007199254740993", 9007199254740992.0}, {"9007199254740995", 9007199254740996.0},
        {"2.2250738585072011e-308", 2.225073858507201e-308}, {"4.9406564584124654e-324", 4.9406564584124654e-324},
        {"2.4703282292062328e-324", 4.9406564584124654e-324}, {"2.4703282292062327e-324", 0},
        {"1.7976931348623157e308", 1.7976931348623157e308}, {"0.1", 0.1},
        {"123456789012345678901234567890", 1.2345678901234568e29},
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
    for (const char16_t* text : {u"1e309", u"1.7976931348623159e308", u"-2e308", u"1e99999999999999999999"})
        EXPECT_THROW(parse(text), platform::NumberTooLarge) << platform::to_utf8(text);
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

// Every text of a number comes out the same whatever locale the C library is
// in, as a toolkit sets it from the user's environment at start.
TEST(NumberTexts, SameCharactersInEveryLocale)
{
    using platform::Text;
    struct Row { std::function<Text()> make; const char16_t* text; };
    const Row rows[] = {
        {[] { return render4(0.0500435, u','); }, u"0,0500"},
        {[] { return platform::fixed(2.105, 2, u'.'); }, u"2.10"},   // 2.10499999...
        {[] { return platform::fixed(0.125, 2, u'.'); }, u"0.12"},   // a true tie goes to even
        {[] { return platform::fixed(-0.001, 2, u'.'); }, u"-0.00"},
        {[] { return platform::scientific(2.867e-7, 3, u','); }, u"2,867e-07"},
        {[] { return platform::scientific(9.9996e9, 3, u'.'); }, u"1.000e+10"},
        {[] { return platform::significant(0.063639, 6, true, u'.'); }, u"0.0636390"},
        {[] { return platform::significant(1.79769313486231570e308, 6, true, u'.'); }, u"1.79769e+308"},
        {[] { return platform::significant(4.9406564584124654e-324, 6, true, u'.'); }, u"4.94066e-324"},
        {[] { return platform::significant(17.34, 17, false, u','); }, u"17,34"},
        {[] { return platform::significant(1e9, 10, false, u'.'); }, u"1000000000"},
        {[] { return platform::whole(-1000000000); }, u"-1000000000"},
        {[] { return platform::fixed(parse(u"0.05"), 60, u'.'); },
         u"0.050000000000000002775557561562891351059079170227050781250000"},
    };
#if defined(__GLIBC__)
    const char* locales[] = {"C", "de_DE.UTF-8", "fr_FR.UTF-8"};
#else
    const char* locales[] = {"C"};  // a C library of one locale (the browser's) or none to name (Windows)
#endif
    for (const char* locale : locales) {
        SCOPED_TRACE(locale);
        ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << "the locale is not generated: run tools/install-deps";
        for (const Row& r : rows) EXPECT_EQ(r.make(), r.text) << platform::to_utf8(r.text);
        EXPECT_EQ(parse(u"1.5e1"), 15);
    }
    std::setlocale(LC_ALL, "C");
}
