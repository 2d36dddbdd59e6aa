// Both tails of every distribution against 50-digit references (the committed
// rows of tools/tables/make_exact_tail_rows.py): relative 1e-12 wherever the
// tail is 1e-300 or more, four significant digits through its logarithm
// below, never 0 for a tail that is not 0; and the four-decimal line's
// fields against their exact values.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "engine/chi_square.h"
#include "engine/chi_square_tails.h"
#include "engine/f_distribution.h"
#include "engine/f_tails.h"
#include "engine/normal_tails.h"
#include "engine/t_distribution.h"
#include "engine/t_tails.h"
#include "exact_tails_data.h"

namespace {

struct Reference {
    long double value, log;  // value 0 below 1e-300: the logarithm counts there
};

struct Row {
    std::string kind;
    double statistic, df1, df2;
    Reference lower, upper;
    std::string text;
};

std::vector<Row> rows()
{
    std::vector<Row> all;
    std::istringstream in(exact_tails_csv);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string s; std::getline(fields, s, ',');) f.push_back(s);
        if (f.size() != 8) continue;
        auto ld = [](const std::string& s) { return s == "-inf" ? -INFINITY : std::stold(s); };
        all.push_back({f[0], std::stod(f[1]), std::stod(f[2]), std::stod(f[3]), {ld(f[4]), ld(f[5])},
                       {ld(f[6]), ld(f[7])}, line});
    }
    return all;
}

Reference twice_smaller(const Reference& a, const Reference& b)
{
    const Reference& s = a.log < b.log ? a : b;
    const long double ln_2 = 0.693147180559945309417232121458176568L;
    return {s.value * 2 > 1e-300L ? s.value * 2 : 0, s.log + ln_2};
}

// The largest relative error seen above 1e-300, for the record.
long double worst = 0;

// What the tests require of one tail.
::testing::AssertionResult agrees(const engine::Probability& p, const Reference& r)
{
    if (std::isinf(r.log)) {
        if (p.value == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "0 expected, got " << p.value;
    }
    if (r.value > 0) {
        const long double error = std::fabs(p.value / r.value - 1);
        worst = std::fmax(worst, error);
        if (error <= 1e-12L) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "relative error " << static_cast<double>(error) << ", got " << p.value;
    }
    // Four significant digits: the value within 5e-5 of its own, relative.
    const long double error = std::fabs(p.log - r.log);
    if (std::isfinite(p.log) && error <= 5e-5L) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "logarithm off by " << static_cast<double>(error) << ", got " << p.log;
}

}  // namespace

TEST(ExactTails, EveryTailAgainstFiftyDigitReferences)
{
    long checked = 0, below_doubles = 0;
    for (const Row& r : rows()) {
        SCOPED_TRACE(r.text);
        if (r.kind == "chi") {
            const engine::Tails t = engine::chi_square_tails(r.statistic, r.df1);
            EXPECT_TRUE(agrees(t.lower, r.lower));
            EXPECT_TRUE(agrees(t.upper, r.upper));
        } else if (r.kind == "z") {
            const engine::NormalTails n = engine::normal_tails(r.statistic);
            const Reference& far = r.lower.log < r.upper.log ? r.lower : r.upper;
            const Reference& near = r.lower.log < r.upper.log ? r.upper : r.lower;
            EXPECT_TRUE(agrees(n.one_tail, far));
            EXPECT_TRUE(agrees(n.both_tails, twice_smaller(r.lower, r.upper)));
            if (near.value - 0.5L > 1e-300L) {
                EXPECT_TRUE(agrees(n.centre, {near.value - 0.5L, std::log(near.value - 0.5L)}));
                EXPECT_TRUE(agrees(n.within, {2 * near.value - 1, std::log(2 * near.value - 1)}));
            }
        } else if (r.kind == "t") {
            const engine::TTails t = engine::t_tails(r.statistic, r.df1);
            EXPECT_TRUE(agrees(t.lower, r.lower));
            EXPECT_TRUE(agrees(t.upper, r.upper));
            EXPECT_TRUE(agrees(t.both_tails, twice_smaller(r.lower, r.upper)));
        } else {
            const engine::FTails f = engine::f_tails(r.statistic, r.df1, r.df2);
            EXPECT_TRUE(agrees(f.lower, r.lower));
            EXPECT_TRUE(agrees(f.upper, r.upper));
            EXPECT_TRUE(agrees(f.doubled, twice_smaller(r.lower, r.upper)));
        }
        ++checked;
        if (r.lower.value == 0 || r.upper.value == 0) ++below_doubles;
    }
    EXPECT_GT(checked, 800);
    EXPECT_GT(below_doubles, 100);
    std::ostringstream largest;
    largest << static_cast<double>(worst);
    RecordProperty("largest_relative_error", largest.str());
}

// The line shows the series' value where a series answers; its exact value
// must round to the same four decimals, but for ties within 1e-7 of an edge.
TEST(ExactTails, TheLinesValuesRoundToTheExactOnes)
{
    auto same_four = [](double line_value, double exact) {
        const double edge = std::round(exact * 1e4 - 0.5) + 0.5;  // nearest rounding edge, in units of 1e-4
        if (std::fabs(exact * 1e4 - edge) < 1e-3) return true;
        return std::round(line_value * 1e4) == std::round(exact * 1e4);
    };
    for (const Row& r : rows()) {
        SCOPED_TRACE(r.text);
        if (r.kind == "chi" && r.statistic >= 0) {
            const double series = engine::chi_square(r.statistic, r.df1).P;
            EXPECT_TRUE(same_four(series, engine::chi_square_tails(r.statistic, r.df1).upper.value));
        } else if (r.kind == "t" && std::fabs(r.statistic) < 1e150) {
            const double C = engine::t_distribution(r.statistic, r.df1).C;
            EXPECT_TRUE(same_four(1 - C, engine::t_tails(r.statistic, r.df1).upper.value));
        } else if (r.kind == "f") {
            const double C = engine::f_distribution(r.statistic, r.df1, r.df2).C;
            EXPECT_TRUE(same_four(1 - C, engine::f_tails(r.statistic, r.df1, r.df2).upper.value));
        }
    }
}
