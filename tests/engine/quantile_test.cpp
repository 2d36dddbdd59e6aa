// The critical values: each quantile's tail at the answer is alpha again, to
// 1e-12 or to what a double's last bit of the answer moves the tail by;
// the values against Boost.Math's quantiles in long double and, at huge
// degrees and tiny levels, against the 50-digit rows of
// tools/tables/make_quantile_rows.py; the refusals.
#include <gtest/gtest.h>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cfloat>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/chi_square_quantile.h"
#include "engine/chi_square_tails.h"
#include "engine/domain.h"
#include "engine/f_quantile.h"
#include "engine/f_tails.h"
#include "engine/normal_quantile.h"
#include "engine/normal_tails.h"
#include "engine/numeric/fault.h"
#include "engine/t_quantile.h"
#include "engine/t_tails.h"
#include "quantiles_data.h"

namespace {

const double alphas[] = {0.5, 0.4999965, 0.1, 0.05, 0.01, 0.001, 1e-6, 1e-12, 1e-100, 1e-300, 0.97, 0.999, 0.999999};
const double degrees[] = {5.25e-24, 1e-10, 0.1, 0.5, 1, 2.5, 17.34, 30, 299, 300, 301, 1e3, 1e5, 1e7, 1e9};

struct Quantile {
    const char* name;
    std::function<double(double alpha, double nu)> at;      // the critical value
    std::function<double(double x, double nu)> upper_tail;  // the exact tail there
};

const Quantile quantiles[] = {
    {"normal", [](double a, double) { return engine::normal_upper_quantile(a); },
     [](double z, double) {
         const engine::NormalTails n = engine::normal_tails(z);
         return z >= 0 ? n.one_tail.value : 1 - n.one_tail.value;
     }},
    {"chi-square", engine::chi_square_upper_quantile,
     [](double x, double nu) { return engine::chi_square_tails(x, nu).upper.value; }},
    {"t", engine::t_upper_quantile, [](double t, double nu) { return engine::t_tails(t, nu).upper.value; }},
    {"F", [](double a, double nu) { return engine::f_upper_quantile(a, nu, 17.34); },
     [](double F, double nu) { return engine::f_tails(F, nu, 17.34).upper.value; }},
};

}  // namespace

TEST(Quantiles, TheTailAtEachAnswerIsAlphaAgain)
{
    long answered = 0;
    for (const Quantile& q : quantiles) {
        for (double nu : degrees) {
            for (double alpha : alphas) {
                SCOPED_TRACE(testing::Message() << q.name << " alpha=" << alpha << " nu=" << nu);
                double x;
                try {
                    x = q.at(alpha, nu);
                } catch (const numeric::Fault& fault) {
                    // Only an answer beyond a double may be refused.
                    EXPECT_TRUE(fault.kind() == numeric::FaultKind::Overflow ||
                                fault.kind() == numeric::FaultKind::Underflow);
                    continue;
                }
                // Where the tail is steep, the answer's last bit moves it by more than 1e-12.
                const double tail = q.upper_tail(x, nu);
                const double step = std::fabs(q.upper_tail(std::nextafter(x, INFINITY), nu) / tail - 1);
                EXPECT_LE(std::fabs(tail / alpha - 1), std::fmax(1e-12, 2 * step)) << "x=" << x;
                ++answered;
            }
        }
    }
    EXPECT_GT(answered, 400);
}

TEST(Quantiles, AgreeWithBoostWhereItIsRight)
{
    namespace bm = boost::math;
    using bm::complement;
    long compared = 0;
    for (double nu : {0.5, 1.0, 2.5, 17.34, 30.0, 300.0, 1e4}) {
        for (double alpha : {0.5, 0.1, 0.05, 0.01, 0.001, 1e-6, 1e-12, 1e-100, 0.97}) {
            SCOPED_TRACE(testing::Message() << "alpha=" << alpha << " nu=" << nu);
            const long double a = alpha;
            const long double expected[] = {
                bm::quantile(complement(bm::normal_distribution<long double>(), a)),
                bm::quantile(complement(bm::chi_squared_distribution<long double>(nu), a)),
                bm::quantile(complement(bm::students_t_distribution<long double>(nu), a)),
                bm::quantile(complement(bm::fisher_f_distribution<long double>(nu, 17.34), a)),
            };
            const double got[] = {engine::normal_upper_quantile(alpha), engine::chi_square_upper_quantile(alpha, nu),
                                  engine::t_upper_quantile(alpha, nu), engine::f_upper_quantile(alpha, nu, 17.34)};
            for (int k = 0; k < 4; ++k) {
                if (!std::isfinite(expected[k]) || expected[k] > DBL_MAX) continue;
                const long double scale = std::fmax(std::fabs(expected[k]), 1e-300L);
                EXPECT_LE(std::fabs(got[k] - expected[k]) / scale, 1e-12L) << quantiles[k].name;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 200);
    // Table values a student looks up.
    EXPECT_NEAR(engine::t_upper_quantile(0.025, 17), 2.109815577833, 1e-12);
    EXPECT_NEAR(engine::chi_square_upper_quantile(0.01, 4), 13.276704135987, 1e-11);
    EXPECT_NEAR(engine::normal_upper_quantile(0.025), 1.959963984540, 1e-12);
}

TEST(Quantiles, AgreeWithFiftyDigitRows)
{
    std::istringstream in(quantiles_csv);
    std::string line;
    std::getline(in, line);  // header
    long compared = 0;
    while (std::getline(in, line)) {
        SCOPED_TRACE(line);
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string s; std::getline(fields, s, ',');) f.push_back(s);
        ASSERT_EQ(f.size(), 5u);
        const double alpha = std::stod(f[1]), nu1 = std::stod(f[2]), nu2 = std::stod(f[3]);
        const long double expected = std::stold(f[4]);
        double got;
        try {
            got = f[0] == "z"     ? engine::normal_upper_quantile(alpha)
                  : f[0] == "chi" ? engine::chi_square_upper_quantile(alpha, nu1)
                  : f[0] == "t"   ? engine::t_upper_quantile(alpha, nu1)
                                  : engine::f_upper_quantile(alpha, nu1, nu2);
        } catch (const numeric::Fault& fault) {
            EXPECT_TRUE(fault.kind() == numeric::FaultKind::Overflow ? expected > DBL_MAX : expected < DBL_TRUE_MIN)
                << fault.what();
            continue;
        }
        EXPECT_LE(std::fabs(got / expected - 1), 1e-12L) << "got " << got;
        ++compared;
    }
    EXPECT_GT(compared, 130);
}

TEST(Quantiles, RefuseWhatIsNoLevelAndNameTheArgument)
{
    struct Row { double alpha, nu; engine::Argument argument; };
    const Row rows[] = {
        {0, 5, engine::Argument::probability},    {1, 5, engine::Argument::probability},
        {-0.1, 5, engine::Argument::probability}, {1.5, 5, engine::Argument::probability},
        {NAN, 5, engine::Argument::probability},  {0.05, 0, engine::Argument::degrees},
        {0.05, 2e9, engine::Argument::degrees},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "alpha=" << r.alpha << " nu=" << r.nu);
        for (int k = 0; k < 4; ++k) {
            if (k == 0 && r.argument != engine::Argument::probability) continue;
            try {
                quantiles[k].at(r.alpha, r.nu);
                ADD_FAILURE() << quantiles[k].name << " answered";
            } catch (const engine::DomainError& error) {
                EXPECT_EQ(error.argument, r.argument) << quantiles[k].name;
            }
        }
    }
    // Beyond a double: t^-nu at a tenth of a degree, and x^(nu/2) at 1e-18.
    EXPECT_THROW(engine::t_upper_quantile(1e-300, 0.1), numeric::Fault);
    EXPECT_THROW(engine::chi_square_upper_quantile(1e-10, 1e-18), numeric::Fault);
    EXPECT_EQ(engine::t_upper_quantile(0.5, 3), 0);
    EXPECT_EQ(engine::normal_upper_quantile(0.5), 0);
}
