// The noncentral chi-square, F and t against the 50-digit rows of
// tools/tables/make_noncentral_rows.py (two methods agreeing to 40 digits):
// each tail within 1e-13 relative from 1e-300 up and its logarithm within
// 1e-13 below, densities alike, quantiles and noncentralities within 1e-12
// and their tails at the answer the level again; lambda = 0 and delta = 0
// the central routines exactly; Boost.Math where it is accurate; refusals.
#include <gtest/gtest.h>

#include <boost/math/distributions/non_central_chi_squared.hpp>
#include <boost/math/distributions/non_central_f.hpp>
#include <boost/math/distributions/non_central_t.hpp>
#include <cfloat>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/chi_square_tails.h"
#include "engine/domain.h"
#include "engine/f_tails.h"
#include "engine/law.h"
#include "engine/noncentral_chi_square_density.h"
#include "engine/noncentral_chi_square_noncentrality.h"
#include "engine/noncentral_chi_square_quantile.h"
#include "engine/noncentral_chi_square_tails.h"
#include "engine/noncentral_f_density.h"
#include "engine/noncentral_f_noncentrality.h"
#include "engine/noncentral_f_quantile.h"
#include "engine/noncentral_f_tails.h"
#include "engine/noncentral_t_density.h"
#include "engine/noncentral_t_noncentrality.h"
#include "engine/noncentral_t_quantile.h"
#include "engine/noncentral_t_tails.h"
#include "engine/numeric/fault.h"
#include "engine/root.h"
#include "engine/t_quantile.h"
#include "engine/t_tails.h"
#include "noncentral_data.h"
#include "support/csv_rows.h"

namespace {

// The rows' law at its degrees and noncentrality; and its noncentral
// routine's tails asked directly, which at noncentrality 0 must be the
// central law's to the bit.
using Make = engine::Law (*)(double n1, double n2, double nc);
using Direct = engine::Tails (*)(double x, double n1, double n2, double nc);

// Relative error of a probability, from its value above 1e-300, its logarithm below.
long double miss(const engine::Probability& p, long double value, long double log)
{
    if (value > 0) return std::fabs(p.value / value - 1);
    return std::fabs(p.log / log - 1);
}

void check_rows(const std::string& law_name, Make make, Direct direct)
{
    int checked = 0, lower_rows = 0;
    for (const CsvRow& row : csv_rows(noncentral_csv, 11)) {
        const std::string& line = row.line;  // named, not bound: the page's clang 14 lets no lambda capture a binding
        const std::vector<std::string>& f = row.f;
        if (f[1] != law_name) continue;
        SCOPED_TRACE(line);
        auto ld = [&](int i) { return f[i].empty() ? 0.0L : std::stold(f[i]); };
        const double x = std::stod(f[2]), n1 = std::stod(f[3]), n2 = std::stod(f[4]);
        const double nc = f[5].empty() ? 0 : std::stod(f[5]), p = f[6].empty() ? 0 : std::stod(f[6]);
        const engine::Law law = make(n1, n2, f[0] == "noncentrality" ? 0 : nc);
        if (f[0] == "tails") {
            const engine::Tails t = law.tails(x);
            EXPECT_LE(miss(t.lower, ld(7), ld(8)), 1e-13L);
            EXPECT_LE(miss(t.upper, ld(9), ld(10)), 1e-13L);
            if (nc == 0) {
                const engine::Tails d = direct(x, n1, n2, nc);
                EXPECT_EQ(t.lower.log, d.lower.log);
                EXPECT_EQ(t.upper.log, d.upper.log);
            }
        } else if (f[0] == "density") {
            const long double l = law.log_density(x);
            EXPECT_LE(std::fabs(ld(8)) < 700 ? std::fabs(std::expm1(l - ld(8))) : std::fabs(l / ld(8) - 1), 1e-13L);
        } else if (f[0] == "quantile") {
            const double q = law.upper_quantile(p);
            EXPECT_LE(std::fabs(q / ld(2) - 1), 1e-12L) << "got " << q;
            // The round trip, to 1e-12 or to what the answer's last bit moves the tail by.
            const double at = law.tails(q).upper.value;
            const double step = std::fabs(law.tails(std::nextafter(q, INFINITY)).upper.value / at - 1);
            EXPECT_LE(std::fabs(at / p - 1), std::fmax(1e-12, 2 * step));
            // The lower quantile: at 1 - p, where that is exact and not tiny,
            // the same point; at small p, the lower tail at it is p again, or
            // an underflow where the lower tail at the smallest double is above p.
            auto lower_trip = [&](double level) -> double {
                double l;
                try {
                    l = law.lower_quantile(level);
                } catch (const numeric::Fault& fault) {
                    EXPECT_EQ(fault.kind(), numeric::FaultKind::Underflow);
                    EXPECT_GT(law.tails(DBL_TRUE_MIN).lower.value, level);
                    return NAN;
                }
                const double lower = law.tails(l).lower.value;
                const double moved = std::fabs(law.tails(std::nextafter(l, INFINITY)).lower.value / lower - 1);
                EXPECT_LE(std::fabs(lower / level - 1), std::fmax(1e-12, 2 * moved)) << "lower at " << level << " got " << l;
                return l;
            };
            if (1 - (1 - p) == p && 1 - p >= 1e-3) {
                EXPECT_LE(std::fabs(lower_trip(1 - p) / ld(2) - 1), 1e-12L);
                ++lower_rows;
            }
            if (p < 0.5) lower_trip(p);
        } else {
            const engine::Noncentrality r = law.noncentrality_for(x, p);
            EXPECT_EQ(r.bound, f[7] == "1");
            EXPECT_LE(std::fabs(r.value - ld(5)), 1e-12L * std::fmax(1.0L, std::fabs(ld(5)))) << "got " << r.value;
            if (!r.bound) {
                EXPECT_LE(std::fabs(law.at(r.value).tails(x).upper.value / p - 1), 1e-11);
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 60);
    EXPECT_GE(lower_rows, 2);
}

}  // namespace

TEST(Noncentral, ChiSquareAgainstFiftyDigitRows)
{
    check_rows(
        "chi", [](double n, double, double l) { return engine::Law::chi_square(n, l); },
        [](double x, double n, double, double l) { return engine::noncentral_chi_square_tails(x, n, l); });
}

TEST(Noncentral, FAgainstFiftyDigitRows)
{
    check_rows(
        "f", [](double n1, double n2, double l) { return engine::Law::f(n1, n2, l); }, engine::noncentral_f_tails);
}

TEST(Noncentral, TAgainstFiftyDigitRows)
{
    check_rows(
        "t", [](double n, double, double d) { return engine::Law::t(n, d); },
        [](double x, double n, double, double d) { return engine::noncentral_t_tails(x, n, d); });
}

TEST(Noncentral, AgreesWithBoostWhereItIsAccurate)
{
    namespace bm = boost::math;
    int compared = 0;
    for (double nu : {1.5, 4.0, 17.34, 60.0}) {
        for (double nc : {0.5, 3.0, 20.0}) {
            for (double k : {0.3, 1.0, 2.0}) {
                SCOPED_TRACE(testing::Message() << "nu=" << nu << " nc=" << nc << " k=" << k);
                const bm::non_central_chi_squared_distribution<long double> chi(nu, nc);
                const bm::non_central_f_distribution<long double> f(nu, 23.5L, nc);
                // The t on delta's side, where Boost's series does not cancel.
                const bm::non_central_t_distribution<long double> t(nu, nc / 4);
                const double x = k * (nu + nc), F = k * (1 + nc / nu), T = k * (nc / 4 + 1);
                const long double expected[] = {
                    bm::cdf(bm::complement(chi, x)), bm::pdf(chi, x),
                    bm::cdf(bm::complement(f, F)),   bm::pdf(f, F),
                    bm::cdf(bm::complement(t, T)),   bm::pdf(t, T),
                };
                const double got[] = {
                    engine::noncentral_chi_square_tails(x, nu, nc).upper.value,
                    std::exp(engine::noncentral_chi_square_log_density(x, nu, nc)),
                    engine::noncentral_f_tails(F, nu, 23.5, nc).upper.value,
                    std::exp(engine::noncentral_f_log_density(F, nu, 23.5, nc)),
                    engine::noncentral_t_tails(T, nu, nc / 4).upper.value,
                    std::exp(engine::noncentral_t_log_density(T, nu, nc / 4)),
                };
                for (int i = 0; i < 6; ++i, ++compared) EXPECT_LE(std::fabs(got[i] / expected[i] - 1), 1e-11L) << i;
                EXPECT_LE(std::fabs(engine::noncentral_t_upper_quantile(0.05, nu, nc / 4) /
                                    bm::quantile(bm::complement(t, 0.05L)) - 1), 1e-11L);
            }
        }
    }
    EXPECT_EQ(compared, 216);
}

// The root finder without a slope, as the power window's two-tailed search
// asks it: on one tail it finds the delta the Newton search of
// t_noncentrality finds, and on both tails (the far one at -c) a delta
// between whose neighbours the power crosses its target.
TEST(Noncentral, RootWithoutSlopeFindsThePowersDelta)
{
    for (double nu : {3.0, 17.34, 1e4}) {
        for (double target : {0.3, 0.8, 0.99}) {
            SCOPED_TRACE(testing::Message() << "nu=" << nu << " power=" << target);
            const double c = engine::t_upper_quantile(0.025, nu);
            auto one = [&](double d) { return engine::noncentral_t_tails(c, nu, d).upper.value - target; };
            auto both = [&](double d) { return one(d) + engine::noncentral_t_tails(-c, nu, d).lower.value; };
            const double newton = engine::t_noncentrality(c, nu, target);
            const double illinois = engine::root({one, {}, true, false, -10, 40, -10, INFINITY, 4e-16});
            EXPECT_LE(std::fabs(illinois - newton), 1e-12 * std::fabs(newton));
            const double low = engine::t_noncentrality(c, nu, target - 0.025);
            const double d = engine::root({both, {}, true, false, low, newton, low, INFINITY, 4e-16});
            EXPECT_LT(both(d * (1 - 1e-14)), 0);
            EXPECT_GT(both(d * (1 + 1e-14)), 0);
        }
    }
}

TEST(Noncentral, RefusesOutsideItsDomainNamingTheArgument)
{
    using A = engine::Argument;
    const std::pair<std::function<void()>, A> refusals[] = {
        {[] { engine::noncentral_chi_square_tails(1, 2, -0.5); }, A::noncentrality},
        {[] { engine::noncentral_chi_square_tails(1, 2, 2e6); }, A::noncentrality},
        {[] { engine::noncentral_f_tails(1, 2, 3, NAN); }, A::noncentrality},
        {[] { engine::noncentral_t_tails(1, 2, 1000.5); }, A::noncentrality},
        {[] { engine::noncentral_t_log_density(1, 2, -1001); }, A::noncentrality},
        {[] { engine::noncentral_chi_square_tails(-1, 2, 3); }, A::statistic},
        {[] { engine::noncentral_f_tails(1, 2, 0, 3); }, A::denominator_degrees},
        {[] { engine::noncentral_t_tails(1, 2e9, 3); }, A::degrees},
        {[] { engine::noncentral_f_upper_quantile(1, 2, 3, 4); }, A::probability},
        {[] { engine::noncentral_t_upper_quantile(0.5, 0, 4); }, A::degrees},
        {[] { engine::noncentral_chi_square_lower_quantile(0, 2, 3); }, A::probability},
        {[] { engine::noncentral_f_lower_quantile(0.5, 2, 0, 3); }, A::denominator_degrees},
        {[] { engine::noncentral_t_lower_quantile(0.5, 2, -1000.5); }, A::noncentrality},
        {[] { engine::chi_square_noncentrality(1, 2, 0); }, A::probability},
        {[] { engine::t_noncentrality(1, -2, 0.5); }, A::degrees},
    };
    for (const auto& [call, argument] : refusals) {
        try {
            call();
            ADD_FAILURE() << "answered";
        } catch (const engine::DomainError& e) {
            EXPECT_EQ(e.argument, argument);
            if (argument == A::noncentrality) {
                EXPECT_NE(std::string(e.what()).find("between"), std::string::npos) << e.what();
            }
        }
    }
    EXPECT_STREQ(engine::DomainError(A::noncentrality, -1000, 1000).what(), "noncentrality must lie between -1000 and 1000");
    EXPECT_THROW(engine::noncentral_t_tails(INFINITY, 3, 1), numeric::Fault);
}
