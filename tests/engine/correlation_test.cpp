// The law of the sample correlation against the 50-digit rows of
// tools/tables/make_correlation_rows.py (Hotelling's density integrated and
// the polar mean of Student's law, agreeing to 40 digits): each tail within
// 1e-12 relative from 1e-300 up and its logarithm below, densities alike,
// quantiles and rho within 1e-12 and the tail at the answer the level again;
// rho = 0 and rho = 1e-300 Student's t; refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "correlation_data.h"
#include "engine/correlation_density.h"
#include "engine/correlation_quantile.h"
#include "engine/correlation_rho.h"
#include "engine/correlation_tails.h"
#include "engine/domain.h"
#include "engine/t_tails.h"
#include "support/csv_rows.h"

namespace {

long double miss(const engine::Probability& p, long double value, long double log)
{
    return value > 0 ? std::fabs(p.value / value - 1) : std::fabs(p.log / log - 1);
}

}  // namespace

TEST(Correlation, AgainstFiftyDigitRows)
{
    int checked = 0;
    for (const CsvRow& row : csv_rows(correlation_csv, 9)) {
        const std::string& line = row.line;  // named, not bound: the page's clang 14 lets no lambda capture a binding
        const std::vector<std::string>& f = row.f;
        SCOPED_TRACE(line);
        auto ld = [&](int i) { return f[i].empty() ? 0.0L : std::stold(f[i]); };
        const double n = std::stod(f[1]), r = std::stod(f[2]), rho = f[3].empty() ? 0 : std::stod(f[3]);
        const double p = f[4].empty() ? 0 : std::stod(f[4]);
        if (f[0] == "tails") {
            const engine::Tails t = engine::correlation_tails(r, n, rho);
            EXPECT_LE(miss(t.lower, ld(5), ld(6)), 1e-12L);
            EXPECT_LE(miss(t.upper, ld(7), ld(8)), 1e-12L);
        } else if (f[0] == "density") {
            const long double l = engine::correlation_log_density(r, n, rho);
            EXPECT_LE(std::fabs(ld(6)) < 700 ? std::fabs(std::expm1(l - ld(6))) : std::fabs(l / ld(6) - 1), 1e-12L);
        } else if (f[0] == "rho") {
            const engine::Noncentrality v = engine::correlation_rho(r, n, p);
            EXPECT_EQ(v.bound, f[5] == "1");
            EXPECT_LE(std::fabs(v.value - ld(3)), 1e-12L * std::fmax(1.0L, std::fabs(ld(3)))) << "got " << v.value;
            if (!v.bound) {
                EXPECT_LE(std::fabs(engine::correlation_tails(r, n, v.value).upper.log / std::log(p) - 1), 1e-11);
            }
        } else {
            const bool upper = f[0] == "upper_quantile";
            const double q = upper ? engine::correlation_upper_quantile(p, n, rho) : engine::correlation_lower_quantile(p, n, rho);
            EXPECT_LE(std::fabs(q / ld(2) - 1), 1e-12L) << "got " << q;
            const engine::Tails t = engine::correlation_tails(q, n, rho);
            EXPECT_LE(std::fabs((upper ? t.upper : t.lower).log / std::log(p) - 1), 1e-11);
        }
        ++checked;
    }
    EXPECT_GT(checked, 80);
}

TEST(Correlation, IsStudentsTAtRhoZero)
{
    // r = t / sqrt(t^2 + N - 2); at rho = 1e-300 the mean over Fisher's integral itself.
    for (double n : {3.0, 4.0, 12.0, 250.0, 1e6, 1e9}) {
        for (double t : {-30.0, -2.0, 0.3, 4.0, 60.0}) {
            const double r = t / std::sqrt(t * t + (n - 2));
            const engine::TTails c = engine::t_tails(t, n - 2);
            for (double rho : {0.0, 1e-300}) {
                SCOPED_TRACE(testing::Message() << "n=" << n << " t=" << t << " rho=" << rho);
                const engine::Tails e = engine::correlation_tails(r, n, rho);
                const long double tolerance = rho == 0 ? 1e-15L : 1e-13L;
                EXPECT_LE(miss(e.lower, c.lower.value, c.lower.log), tolerance * std::fmax(1.0, t * t));
                EXPECT_LE(miss(e.upper, c.upper.value, c.upper.log), tolerance * std::fmax(1.0, t * t));
            }
        }
    }
}

TEST(Correlation, RefusesOutsideItsDomainNamingTheArgument)
{
    using A = engine::Argument;
    const std::pair<std::function<void()>, A> refusals[] = {
        {[] { engine::correlation_tails(0.2, 2.5, 0.1); }, A::sample_size},
        {[] { engine::correlation_tails(0.2, 2e9, 0.1); }, A::sample_size},
        {[] { engine::correlation_tails(1.5, 10, 0.1); }, A::statistic},
        {[] { engine::correlation_tails(0.5, 10, 1); }, A::correlation},
        {[] { engine::correlation_log_density(0.5, 10, NAN); }, A::correlation},
        {[] { engine::correlation_upper_quantile(0, 10, 0.3); }, A::probability},
        {[] { engine::correlation_lower_quantile(0.5, 10, -1.2); }, A::correlation},
        {[] { engine::correlation_rho(0.5, 10, 1); }, A::probability},
        {[] { engine::correlation_rho(NAN, 10, 0.5); }, A::statistic},
    };
    for (const auto& [call, argument] : refusals) {
        try {
            call();
            ADD_FAILURE() << "answered";
        } catch (const engine::DomainError& e) {
            EXPECT_EQ(e.argument, argument);
        }
    }
    EXPECT_STREQ(engine::DomainError(A::correlation, -1, 1).what(), "correlation must lie between -1 and 1");
}
