// Both tails of every distribution against 50-digit references (the committed
// rows of tools/tables/make_exact_tail_rows.py): relative 1e-12 wherever the
// tail is 1e-300 or more, four significant digits through its logarithm
// below, never 0 for a tail that is not 0; and the four-decimal line's
// fields against their exact values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "engine/chi_square.h"
#include "engine/chi_square_density.h"
#include "engine/chi_square_tails.h"
#include "engine/domain.h"
#include "engine/f_density.h"
#include "engine/f_distribution.h"
#include "engine/f_tails.h"
#include "engine/normal_density.h"
#include "engine/normal_tails.h"
#include "engine/numeric/fault.h"
#include "engine/t_density.h"
#include "engine/t_distribution.h"
#include "engine/t_tails.h"
#include "densities_data.h"
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

// The log-densities against the 50-digit rows of
// tools/tables/make_density_rows.py: within 1e-12 of the logarithm wherever
// the density is a normal double (relative 1e-12 of the density), relative
// 1e-9 of the logarithm below, the lowest double past the doubles' range.
// Then the edges: 0 left of 0, the values at 0, and the inputs refused.
TEST(Densities, AgreeWithFiftyDigitReferences)
{
    auto log_density = [](const std::string& kind, double x, double df1, double df2) {
        if (kind == "chi") return engine::chi_square_log_density(x, df1);
        if (kind == "normal") return engine::normal_log_density(x);
        if (kind == "t") return engine::t_log_density(x, df1);
        return engine::f_log_density(x, df1, df2);
    };
    // std::stod refuses subnormal degrees; the script writes only numbers that
    // reach the same double through extended precision.
    auto read = [](const std::string& text) { return static_cast<double>(std::stold(text)); };
    int checked = 0;
    std::istringstream in(densities_csv);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string s; std::getline(fields, s, ',');) f.push_back(s);
        if (f.size() != 5 || f[0] == "kind") continue;
        SCOPED_TRACE(line);
        const long double reference = std::stold(f[4]);
        const double got = log_density(f[0], read(f[1]), read(f[2]), read(f[3]));
        if (reference < -DBL_MAX) EXPECT_EQ(got, -DBL_MAX);
        else if (reference > std::log(static_cast<long double>(DBL_MIN))) EXPECT_NEAR(got, reference, 1e-12);
        else EXPECT_NEAR(got / reference, 1, 1e-9);
        ++checked;
    }
    EXPECT_GT(checked, 200);

    const struct {
        const char* kind;
        double x, df1, df2, expected;
    } edges[] = {{"chi", -1e-300, 3, 0, -INFINITY}, {"chi", 0, 1.5, 0, INFINITY}, {"chi", 0, 2, 0, std::log(0.5)},
                 {"chi", 0, 2.5, 0, -INFINITY},     {"f", -2, 3, 4, -INFINITY},   {"f", 0, 1.5, 4, INFINITY},
                 {"f", 0, 2, 1e-300, 0},            {"f", 0, 2.5, 4, -INFINITY}};
    for (const auto& e : edges) EXPECT_EQ(log_density(e.kind, e.x, e.df1, e.df2), e.expected) << e.kind << " " << e.df1;
    EXPECT_THROW(engine::chi_square_log_density(1, 0), engine::DomainError);
    EXPECT_THROW(engine::t_log_density(1, 1.000001e9), engine::DomainError);
    EXPECT_THROW(engine::normal_log_density(INFINITY), numeric::Fault);
    EXPECT_THROW(engine::f_log_density(NAN, 3, 4), numeric::Fault);
    try {
        engine::f_log_density(1, 3, 0);
        ADD_FAILURE() << "no denominator degrees accepted";
    } catch (const engine::DomainError& e) {
        EXPECT_EQ(e.argument, engine::Argument::denominator_degrees);
    }
}
