// The chi-square, t and F routines the Run command calls: which evaluation
// answers, that the two agree where one hands over to the other, the domain,
// and the work each does at its slowest inputs (which fixes its time).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "engine/chi_square.h"
#include "engine/chi_square_tails.h"
#include "engine/chi_square_upper.h"
#include "engine/domain.h"
#include "engine/f_distribution.h"
#include "engine/f_probability.h"
#include "engine/incomplete_beta.h"
#include "engine/incomplete_gamma.h"
#include "engine/student_t.h"
#include "engine/t_distribution.h"

using engine::Evaluation;

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
double above(double v) { return std::nextafter(v, inf); }

struct Answer {
    double value;  // P for chi-square, C for t and F
    Evaluation evaluation;
};

Answer chi(double x, double nu) { const auto r = engine::chi_square(x, nu); return {r.P, r.evaluation}; }
Answer t(double t, double nu) { const auto r = engine::t_distribution(t, nu); return {r.C, r.evaluation}; }
Answer f(double F, double nu1, double nu2) { const auto r = engine::f_distribution(F, nu1, nu2); return {r.C, r.evaluation}; }

}  // namespace

TEST(Distributions, TheSeriesAnswersWhereverItCanAndNothingChangesThere)
{
    struct Row { const char* what; std::function<Answer()> call; double series_value; Evaluation evaluation; };
    const Row rows[] = {
        {"chi 3.84 1", [] { return chi(3.84, 1); }, engine::chi_square_upper(3.84, 1).P, Evaluation::series},
        {"chi 1416 40", [] { return chi(1416, 40); }, engine::chi_square_upper(1416, 40).P, Evaluation::series},
        {"chi 100 300", [] { return chi(100, 300); }, engine::chi_square_upper(100, 300).P, Evaluation::series},
        {"chi 110 300", [] { return chi(110, 300); }, NAN, Evaluation::incomplete_function},
        {"chi 1 2.5", [] { return chi(1, 2.5); }, NAN, Evaluation::incomplete_function},
        {"chi 0 1", [] { return chi(0, 1); }, NAN, Evaluation::incomplete_function},
        {"chi 5 301", [] { return chi(5, 301); }, NAN, Evaluation::incomplete_function},
        {"chi 1417 2", [] { return chi(1417, 2); }, NAN, Evaluation::incomplete_function},
        {"chi 295.689 250", [] { return chi(295.689, 250); }, NAN, Evaluation::incomplete_function},
        {"t 2 10", [] { return t(2, 10); }, engine::student_t(2, 10).C, Evaluation::series},
        {"t -2 100000", [] { return t(-2, 100000); }, engine::student_t(-2, 100000).C, Evaluation::series},
        {"t 2 100001", [] { return t(2, 100001); }, NAN, Evaluation::incomplete_function},
        {"t 2 17.34", [] { return t(2, 17.34); }, NAN, Evaluation::incomplete_function},
        {"F 3 4 20", [] { return f(3, 4, 20); }, engine::f_probability(3, 4, 20).C, Evaluation::series},
        {"F 1 1 100000", [] { return f(1, 1, 100000); }, engine::f_probability(1, 1, 100000).C, Evaluation::series},
        {"F 1e-20 4 20", [] { return f(1e-20, 4, 20); }, NAN, Evaluation::incomplete_function},
        {"F 0 4 20", [] { return f(0, 4, 20); }, NAN, Evaluation::incomplete_function},
        {"F 3 4 100001", [] { return f(3, 4, 100001); }, NAN, Evaluation::incomplete_function},
        {"F 3 4.5 20", [] { return f(3, 4.5, 20); }, NAN, Evaluation::incomplete_function},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const Answer a = r.call();
        EXPECT_EQ(a.evaluation, r.evaluation);
        if (r.evaluation == Evaluation::series) {
            EXPECT_EQ(a.value, r.series_value);  // to the bit
        }
    }
}

TEST(Distributions, BothEvaluationsAgreeWhereOneHandsOverToTheOther)
{
    // Each pair straddles a seam: the left input is answered by the series,
    // the right one, a double further, by the incomplete function.
    struct Pair { const char* what; Answer left, right; };
    std::vector<Pair> pairs;
    for (int nu = 1; nu <= 300; ++nu) {
        // Where x^k reaches e^700, or x reaches 1416.
        const double k = std::floor((nu + 1) / 2.0);
        const double seam = std::fmin(1416, std::exp(700 / k));
        double x = seam;
        while (k * std::log(x) > 700) x = std::nextafter(x, 0.0);
        while (x < 1416 && k * std::log(above(x)) <= 700) x = above(x);
        pairs.push_back({"chi x^k", chi(x, nu), chi(above(x), nu)});
    }
    for (double x : {1.0, 50.0, 90.0, 100.0}) pairs.push_back({"chi nu 300", chi(x, 300), chi(x, above(300))});
    for (double tv : {-5.0, -1.96, 0.5, 1.0, 2.5, 4.0, 6.0})
        pairs.push_back({"t nu 1e5", t(tv, 100000), t(tv, above(100000))});
    for (double F : {0.5, 0.99, 1.0, 1.02, 1.5})
        for (double nu1 : {1.0, 7.0, 100000.0}) pairs.push_back({"F nu2 1e5", f(F, nu1, 100000), f(F, nu1, above(100000))});
    for (double nu1 : {1.0, 4.0, 30.0}) {
        // Where nu1 F / (nu2 + nu1 F) falls below 1e-6.
        const double nu2 = 20, F = 1e-6 * nu2 / nu1 * (1 + 2e-6);
        pairs.push_back({"F small", f(F, nu1, nu2), f(F * (1 - 4e-6), nu1, nu2)});
    }
    for (const Pair& p : pairs) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(p.left.evaluation, Evaluation::series);
        EXPECT_EQ(p.right.evaluation, Evaluation::incomplete_function);
        EXPECT_NEAR(p.left.value, p.right.value, 1e-7);
    }
}

TEST(Distributions, InputsOutsideTheDomainAreNamed)
{
    using engine::Argument;
    using engine::DomainRule;
    struct Row { std::function<void()> call; Argument argument; DomainRule rule; };
    const Row rows[] = {
        {[] { engine::chi_square(1, 0); }, Argument::degrees, DomainRule::positive},
        {[] { engine::chi_square(1, -2); }, Argument::degrees, DomainRule::positive},
        {[] { engine::chi_square(1, 1e9 + 1); }, Argument::degrees, DomainRule::at_most},
        {[] { engine::chi_square(-1e-300, 2); }, Argument::statistic, DomainRule::not_negative},
        {[] { engine::t_distribution(2, 0); }, Argument::degrees, DomainRule::positive},
        {[] { engine::t_distribution(2, 2e9); }, Argument::degrees, DomainRule::at_most},
        {[] { engine::f_distribution(1, 0, 5); }, Argument::degrees, DomainRule::positive},
        {[] { engine::f_distribution(1, 5, 0); }, Argument::denominator_degrees, DomainRule::positive},
        {[] { engine::f_distribution(1, 5, 1e10); }, Argument::denominator_degrees, DomainRule::at_most},
        {[] { engine::f_distribution(-1, 5, 5); }, Argument::statistic, DomainRule::not_negative},
    };
    for (const Row& r : rows) {
        try {
            r.call();
            ADD_FAILURE() << "accepted";
        } catch (const engine::DomainError& e) {
            EXPECT_EQ(e.argument, r.argument);
            EXPECT_EQ(e.rule, r.rule);
            if (r.rule == DomainRule::at_most) {
                EXPECT_EQ(e.largest, 1e9);
            }
        }
    }
    // The edges themselves are answered.
    EXPECT_EQ(engine::chi_square(0, 1e9).P, 1);
    EXPECT_EQ(engine::f_distribution(0, 1e9, 1e-300).C, 0);
    // Degrees near 0 put nearly all the mass beyond any t: each tail holds 1/2.
    EXPECT_NEAR(engine::t_distribution(1e308, 1e-300).C, 0.5, 1e-7);
    EXPECT_NEAR(engine::f_distribution(1e300, 1e-10, 1e-10).C, 0.5, 1e-7);
    for (double tiny : {1e-310, 4.9e-324}) {  // halving the smallest double leaves 0
        EXPECT_NEAR(engine::t_distribution(0.83, tiny).C, 0.5, 1e-7);
        EXPECT_NEAR(engine::f_distribution(0.83, 9, tiny).C, 0, 1e-7);
        EXPECT_NEAR(engine::chi_square(0.83, tiny).P, 0, 1e-7);
        // One rule for such degrees: the line asks the exact tails as typed.
        EXPECT_EQ(engine::chi_square(0.83, tiny).P, engine::chi_square_tails(0.83, tiny).upper.value);
    }
    for (double x : {7.7e94, 3.9e94, 1e308})  // the fraction's convergents round around 1 there
        EXPECT_EQ(engine::chi_square(x, 9).P, 0) << x;
    EXPECT_EQ(engine::chi_square(9e125, 7000).P, 0);  // the cube of x/a - 1 would overflow
}

TEST(Distributions, WorkAtTheSlowestInputsIsBounded)
{
    // Counts of terms and passes, not times: they fix the time on any machine.
    // The series: about nu/2 passes for t, and AS 63's terms grow as its
    // degrees part; each pass costs some 10 ns (up to 200 ns on subnormals).
    EXPECT_EQ(engine::student_t(284.6, 100000).passes, 49999);
    EXPECT_LE(engine::f_probability(1, 1, 99999).terms, 1'700'000);
    EXPECT_LE(engine::chi_square_upper(1416, 2).terms_added, 2000);

    // The incomplete functions: worst over the shapes and statistics that
    // their continued fractions find hardest, near the peak.
    long gamma_worst = 0, beta_worst = 0;
    const double shapes[] = {1e-3, 0.05, 0.5, 5, 50, 499, 5e3, 5e5, 5e8};
    for (double a : shapes) {
        for (double k = -8; k <= 8; k += 0.5) {
            const double x = a + k * std::sqrt(a) + 1;
            if (x > 0) gamma_worst = std::max(gamma_worst, engine::incomplete_gamma(a, x).terms);
        }
        for (double b : shapes) {
            const double mean = a / (a + b), sd = std::sqrt(a * b / ((a + b) * (a + b) * (a + b + 1)));
            for (double k = -8; k <= 8; k += 0.5) {
                const double x = mean + k * sd;
                if (x > 0 && x < 1) beta_worst = std::max(beta_worst, engine::incomplete_beta((1 - x) / x, a, b).terms);
            }
        }
    }
    EXPECT_LE(gamma_worst, 400);
    EXPECT_LE(beta_worst, 6000);
    RecordProperty("gamma_worst", static_cast<int>(gamma_worst));
    RecordProperty("beta_worst", static_cast<int>(beta_worst));
}
