// The binomial law against the 50-digit rows of tools/tables/make_binomial_rows.py
// (exact terms summed and the incomplete beta, agreeing to 40 digits): both
// tails (each including k) within 1e-12 relative from 1e-300 up and their
// logarithms below, the probability of k, the exact test's critical counts
// exactly, the Clopper-Pearson limits within 1e-12; refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "binomial_data.h"
#include "engine/binomial_critical.h"
#include "engine/binomial_limits.h"
#include "engine/binomial_probability.h"
#include "engine/binomial_tails.h"
#include "engine/domain.h"
#include "support/csv_rows.h"

TEST(Binomial, AgainstFiftyDigitRows)
{
    int checked = 0;
    for (const CsvRow& row : csv_rows(binomial_csv, 9)) {
        const std::string& line = row.line;  // named, not bound: the page's clang 14 lets no lambda capture a binding
        const std::vector<std::string>& f = row.f;
        SCOPED_TRACE(line);
        auto ld = [&](int i) { return f[i].empty() ? 0.0L : std::stold(f[i]); };
        auto miss = [&](const engine::Probability& p, int i) {
            return ld(i) > 0 ? std::fabs(p.value / ld(i) - 1) : std::fabs(p.log / ld(i + 1) - 1);
        };
        const double k = f[1].empty() ? 0 : std::stod(f[1]), n = std::stod(f[2]);
        const double p = f[3].empty() ? 0 : std::stod(f[3]), a = f[4].empty() ? 0 : std::stod(f[4]);
        if (f[0] == "tails") {
            const engine::Tails t = engine::binomial_tails(k, n, p);
            EXPECT_LE(miss(t.lower, 5), 1e-12L);
            EXPECT_LE(miss(t.upper, 7), 1e-12L);
        } else if (f[0] == "probability") {
            const long double l = engine::binomial_log_probability(k, n, p);
            EXPECT_LE(std::fabs(ld(6)) < 700 ? std::fabs(std::expm1(l - ld(6))) : std::fabs(l / ld(6) - 1), 1e-12L);
        } else if (f[0] == "upper_critical") {
            EXPECT_EQ(engine::binomial_upper_critical(n, p, a), std::stod(f[5]));
        } else if (f[0] == "lower_critical") {
            EXPECT_EQ(engine::binomial_lower_critical(n, p, a), std::stod(f[5]));
        } else {
            const double v = f[0] == "lower_limit" ? engine::binomial_lower_limit(k, n, a) : engine::binomial_upper_limit(k, n, a);
            EXPECT_LE(std::fabs(v - ld(3)), 1e-12L * ld(3)) << "got " << v;
        }
        ++checked;
    }
    EXPECT_GT(checked, 70);
}

TEST(Binomial, RefusesOutsideItsDomainNamingTheArgument)
{
    using A = engine::Argument;
    const std::pair<std::function<void()>, A> refusals[] = {
        {[] { engine::binomial_tails(3, 10.5, 0.2); }, A::trials},
        {[] { engine::binomial_tails(3, 2e9, 0.2); }, A::trials},
        {[] { engine::binomial_tails(3, 10, 0); }, A::proportion},
        {[] { engine::binomial_tails(11, 10, 0.2); }, A::statistic},
        {[] { engine::binomial_log_probability(-1, 10, 0.2); }, A::statistic},
        {[] { engine::binomial_upper_critical(10, 0.2, 1); }, A::probability},
        {[] { engine::binomial_lower_limit(3, 10, 0); }, A::probability},
        {[] { engine::binomial_upper_limit(3, 0, 0.05); }, A::trials},
    };
    for (const auto& [call, argument] : refusals) {
        try {
            call();
            ADD_FAILURE() << "answered";
        } catch (const engine::DomainError& e) {
            EXPECT_EQ(e.argument, argument);
        }
    }
}
