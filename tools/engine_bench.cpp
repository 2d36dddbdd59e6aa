// Time of each routine as the Run command calls it: on the table rows, at the
// largest degrees, at fractional degrees, on both sides of each seam between
// the closed series and the incomplete functions, and at the slowest inputs
// found; then the exact tails, the critical values, and the whole Run command
// as a window asks it; then the noncentral laws' tails, quantiles and
// noncentralities at typical, large and edge noncentralities; the law of the
// sample correlation and the binomial's. With --values
// it prints the tails' logarithms and times instead, for tools/bench to set
// beside R's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "engine/binomial_critical.h"
#include "engine/binomial_limits.h"
#include "engine/binomial_tails.h"
#include "engine/chi_square.h"
#include "engine/correlation_quantile.h"
#include "engine/correlation_rho.h"
#include "engine/correlation_tails.h"
#include "engine/chi_square_quantile.h"
#include "engine/chi_square_tails.h"
#include "engine/f_distribution.h"
#include "engine/f_quantile.h"
#include "engine/f_tails.h"
#include "engine/normal_areas.h"
#include "engine/normal_quantile.h"
#include "engine/noncentral_chi_square_noncentrality.h"
#include "engine/noncentral_chi_square_quantile.h"
#include "engine/noncentral_chi_square_tails.h"
#include "engine/noncentral_f_noncentrality.h"
#include "engine/noncentral_f_quantile.h"
#include "engine/noncentral_f_tails.h"
#include "engine/noncentral_t_noncentrality.h"
#include "engine/noncentral_t_quantile.h"
#include "engine/noncentral_t_tails.h"
#include "engine/normal_tails.h"
#include "engine/t_distribution.h"
#include "engine/t_quantile.h"
#include "engine/t_tails.h"
#include "charts/plot.h"
#include "charts/power_pictures.h"
#include "engine/normal_quantile.h"
#include "platform/number_text.h"
#include "power/answer.h"
#include "run/distribution.h"
#include "run/run_command.h"

namespace {

struct Case {
    const char* name;
    double a, b, c;
    int routine;  // 0 chi-square, 1 normal, 2 t, 3 F; exact tails 4 to 7 in that order;
                  // 8 Run; critical values 9 to 12 in the first order, a being alpha;
                  // 13 the plot of a t run (no c) or an F run, at alpha 0.05; 14 at 1e-300
};

const Case cases[] = {
    {"chi-square 3.84, 1", 3.84, 1, 0, 0},
    {"chi-square 18.307, 10", 18.307, 10, 0, 0},
    {"chi-square 1400, 2 (longest series)", 1400, 2, 0, 0},
    {"chi-square 100, 300 (series, largest degrees)", 100, 300, 0, 0},
    {"chi-square 110, 300 (seam: x^k past e^700)", 110, 300, 0, 0},
    {"chi-square 295.689, 250 (x^k beyond a double)", 295.689, 250, 0, 0},
    {"chi-square 1, 2.5 (fractional)", 1, 2.5, 0, 0},
    {"chi-square 997, 998 (slowest: fraction at a = 499)", 997, 998, 0, 0},
    {"chi-square 1000, 1000 (expansion)", 1000, 1000, 0, 0},
    {"chi-square 1e9, 1e9 (largest degrees)", 1e9, 1e9, 0, 0},
    {"normal 1.96", 1.96, 0, 0, 1},
    {"t 2, 10", 2, 10, 0, 2},
    {"t 1.96, 1000", 1.96, 1000, 0, 2},
    {"t 1.5, 100000 (series, largest degrees)", 1.5, 100000, 0, 2},
    {"t 284.6, 100000 (series, subnormal terms)", 284.6, 100000, 0, 2},
    {"t 1.5, 100001 (seam)", 1.5, 100001, 0, 2},
    {"t 2.1, 17.34 (fractional, Welch)", 2.1, 17.34, 0, 2},
    {"t 492, 994900", 492, 994900, 0, 2},
    {"t 1.96, 1e9 (largest degrees)", 1.96, 1e9, 0, 2},
    {"F 3, 4, 20", 3, 4, 20, 3},
    {"F 1, 1, 100", 1, 1, 100, 3},
    {"F 1, 1, 99999 (series, slowest)", 1, 1, 99999, 3},
    {"F 1, 100000, 100000 (series, largest degrees)", 1, 100000, 100000, 3},
    {"F 1, 100001, 100000 (seam)", 1, 100001, 100000, 3},
    {"F 2.5, 3.5, 17.34 (fractional)", 2.5, 3.5, 17.34, 3},
    {"F 1, 1e9, 1e9 (slowest fraction, 4443 passes)", 1, 1e9, 1e9, 3},
    {"F 1, 1, 1e9 (largest denominator)", 1, 1, 1e9, 3},
    {"exact chi-square 3.84, 1", 3.84, 1, 0, 4},
    {"exact chi-square 5000, 1 (2.071e-1088)", 5000, 1, 0, 4},
    {"exact chi-square 1000000000, 1e9 (Temme)", 1e9, 1e9, 0, 4},
    {"exact chi-square 1, 1e-18 (tiny shape)", 1, 1e-18, 0, 4},
    {"exact normal 40 (3.656e-350)", 40, 0, 0, 5},
    {"exact t 2.1, 17.34", 2.1, 17.34, 0, 6},
    {"exact t -2, 1e9", -2, 1e9, 0, 6},
    {"exact t 30, 1e9", 30, 1e9, 0, 6},
    {"exact F 3, 4, 20", 3, 4, 20, 7},
    {"exact F 1, 1e-18, 20 (tiny shape)", 1, 1e-18, 20, 7},
    {"exact F 1, 1e9, 1e9 (slowest: 4443 passes)", 1, 1e9, 1e9, 7},
    {"critical chi-square 0.05, 4", 0.05, 4, 0, 9},
    {"critical chi-square 1e-300, 1e9 (tiny alpha, largest degrees)", 1e-300, 1e9, 0, 9},
    {"critical chi-square 0.5, 1e-18 (underflow refused)", 0.5, 1e-18, 0, 9},
    {"critical normal 0.025", 0.025, 0, 0, 10},
    {"critical normal 1e-300 (tiny alpha)", 1e-300, 0, 0, 10},
    {"critical t 0.025, 17", 0.025, 17, 0, 11},
    {"critical t 1e-300, 1e9 (tiny alpha, largest degrees)", 1e-300, 1e9, 0, 11},
    {"critical t 1e-10, 0.5 (fractional)", 1e-10, 0.5, 0, 11},
    {"critical F 0.05, 4, 20", 0.05, 4, 20, 12},
    {"critical F 1e-300, 1e9, 1e9 (tiny alpha, largest degrees)", 1e-300, 1e9, 1e9, 12},
    {"critical F 0.3, 1e5, 1e9 (continued fraction at 1e9)", 0.3, 1e5, 1e9, 12},
    {"critical F 0.3, 1e6, 1e9 (slowest found)", 0.3, 1e6, 1e9, 12},
    {"critical F 0.3, 1e-18, 1e-18 (overflow refused)", 0.3, 1e-18, 1e-18, 12},
    {"Run t 8, 40 (line, exact values, report)", 8, 40, 0, 8},
    {"Run F 1, 1e9, 1e9 (slowest)", 1, 1e9, 1e9, 8},
    {"plot t 2.1, 17", 2.1, 17, 0, 13},
    {"plot t 1e6, 3 (off the scale)", 1e6, 3, 0, 13},
    {"plot t 1.96, 1e9", 1.96, 1e9, 0, 13},
    {"plot F 3, 4, 20", 3, 4, 20, 13},
    {"plot F 1, 1e9, 1e9", 1, 1e9, 1e9, 13},
    {"plot F 1, 1e6, 1e9", 1, 1e6, 1e9, 13},
    {"plot F 1, 1e5, 1e9", 1, 1e5, 1e9, 13},
    {"plot F 2, 1e-18, 3 (tiny degrees)", 2, 1e-18, 3, 13},
    {"plot F 0.5, 1.5, 20 (cut at 0)", 0.5, 1.5, 20, 13},
    {"plot F 30, 1, 1e5 at alpha 1e-300 (slowest found)", 30, 1, 1e5, 14},
};

// The noncentral laws: x (or a level, or a tail), degrees, denominator
// degrees, noncentrality. Tails are the ones R's pchisq, pf and pt compute
// too (tools/bench); the kind 0 tails, 1 quantile, 2 noncentrality.
struct NoncentralCase {
    const char* name;
    char law;  // 'c' chi-square, 'f' F, 't' t
    int kind;
    double a, nu1, nu2, nc;
};

const NoncentralCase noncentral_cases[] = {
    {"noncentral chi-square tails 25, 10, 8 (typical)", 'c', 0, 25, 10, 0, 8},
    {"noncentral chi-square tails 3, 4, 100 (lower, typical)", 'c', 0, 3, 4, 0, 100},
    {"noncentral chi-square tails 12000, 300, 1e4 (large)", 'c', 0, 12000, 300, 0, 1e4},
    {"noncentral chi-square tails 1e6, 1, 1e6 (edge, both halves)", 'c', 0, 1e6, 1, 0, 1e6},
    {"noncentral chi-square tails 1.012e9, 1e9, 1e6 (edge, largest degrees)", 'c', 0, 1.012e9, 1e9, 0, 1e6},
    {"noncentral chi-square tails 1e8, 3, 1e6 (edge, far tail 1e-8688144)", 'c', 0, 1e8, 3, 0, 1e6},
    {"noncentral F tails 3, 4, 20, 10 (typical)", 'f', 0, 3, 4, 20, 10},
    {"noncentral F tails 60, 10, 100, 1e4 (large)", 'f', 0, 60, 10, 100, 1e4},
    {"noncentral F tails 1.001, 1e9, 1e9, 1e6 (edge, largest degrees)", 'f', 0, 1.001, 1e9, 1e9, 1e6},
    {"noncentral F tails 1e5, 30, 1e6, 1e6 (edge)", 'f', 0, 1e5, 30, 1e6, 1e6},
    {"noncentral t tails 2.5, 10, 2 (typical)", 't', 0, 2.5, 10, 0, 2},
    {"noncentral t tails -2, 10, 5 (typical, opposite signs)", 't', 0, -2, 10, 0, 5},
    {"noncentral t tails 20, 17.34, 15 (typical)", 't', 0, 20, 17.34, 0, 15},
    {"noncentral t tails 90, 50, 100 (large)", 't', 0, 90, 50, 0, 100},
    {"noncentral t tails 1000, 1e9, 1000 (edge, largest degrees)", 't', 0, 1000, 1e9, 0, 1000},
    {"noncentral t tails 30, 5, -1000 (edge, opposite signs)", 't', 0, 30, 5, 0, -1000},
    {"noncentral chi-square quantile 0.05, 10, 8", 'c', 1, 0.05, 10, 0, 8},
    {"noncentral chi-square quantile 1e-10, 1e9, 1e6 (edge)", 'c', 1, 1e-10, 1e9, 0, 1e6},
    {"noncentral F quantile 0.05, 4, 20, 10", 'f', 1, 0.05, 4, 20, 10},
    {"noncentral F quantile 0.05, 1e9, 1e9, 1e6 (edge)", 'f', 1, 0.05, 1e9, 1e9, 1e6},
    {"noncentral t quantile 0.05, 10, 2", 't', 1, 0.05, 10, 0, 2},
    {"noncentral t quantile 1e-10, 1e9, 1000 (edge)", 't', 1, 1e-10, 1e9, 0, 1000},
    {"noncentral chi-square noncentrality 25, 10, 0.3", 'c', 2, 25, 10, 0, 0.3},
    {"noncentral chi-square noncentrality 1.0012e9, 1e9, 0.5 (edge)", 'c', 2, 1.0012e9, 1e9, 0, 0.5},
    {"noncentral F noncentrality 3, 4, 20, 0.3", 'f', 2, 3, 4, 20, 0.3},
    {"noncentral F noncentrality 1.0012, 1e9, 1e9, 0.5 (edge)", 'f', 2, 1.0012, 1e9, 1e9, 0.5},
    {"noncentral t noncentrality 2.5, 10, 0.3", 't', 2, 2.5, 10, 0, 0.3},
    {"noncentral t noncentrality 900, 1e9, 0.5 (edge)", 't', 2, 900, 1e9, 0, 0.5},
};

double noncentral(const NoncentralCase& c)
{
    const double x = c.a, n1 = c.nu1, n2 = c.nu2, nc = c.nc;
    switch (c.kind * 3 + (c.law == 'c' ? 0 : c.law == 'f' ? 1 : 2)) {
    case 0: return engine::noncentral_chi_square_tails(x, n1, nc).upper.value;
    case 1: return engine::noncentral_f_tails(x, n1, n2, nc).upper.value;
    case 2: return engine::noncentral_t_tails(x, n1, nc).upper.value;
    case 3: return engine::noncentral_chi_square_upper_quantile(x, n1, nc);
    case 4: return engine::noncentral_f_upper_quantile(x, n1, n2, nc);
    case 5: return engine::noncentral_t_upper_quantile(x, n1, nc);
    case 6: return engine::chi_square_noncentrality(x, n1, nc);
    case 7: return engine::f_noncentrality(x, n1, n2, nc);
    default: return engine::t_noncentrality(x, n1, nc);
    }
}

void measure_noncentral(benchmark::State& state, const NoncentralCase& c)
{
    for (auto _ : state) benchmark::DoNotOptimize(noncentral(c));
}

// The law of r and the binomial: x (r, a count or a level), N or n, rho or
// p, a level; the kind 0 tails, 1 upper quantile, 2 rho, 3 binomial tails,
// 4 critical counts, 5 Clopper-Pearson limits.
struct ExactCase {
    const char* name;
    int kind;
    double x, n, param, level;
};

const ExactCase exact_cases[] = {
    {"correlation tails 0.5, 30, 0.3 (typical)", 0, 0.5, 30, 0.3, 0},
    {"correlation tails -0.2, 30, 0.3 (typical, other side)", 0, -0.2, 30, 0.3, 0},
    {"correlation tails 0.6, 200, 0.5 (typical)", 0, 0.6, 200, 0.5, 0},
    {"correlation tails 0.3, 8, -0.6 (small N)", 0, 0.3, 8, -0.6, 0},
    {"correlation tails 0.999999, 4, 0.5 (edge, smallest N)", 0, 0.999999, 4, 0.5, 0},
    {"correlation tails 0.2, 1000, 0.95 (far tail e^-977)", 0, 0.2, 1000, 0.95, 0},
    {"correlation tails 0.3, 1e6, -0.3 (edge, tail e^-180495)", 0, 0.3, 1e6, -0.3, 0},
    {"correlation tails 0.999, 1e9, 0.999 (edge, largest N)", 0, 0.999, 1e9, 0.999, 0},
    {"correlation upper quantile 0.05, 30, 0.3", 1, 0.05, 30, 0.3, 0},
    {"correlation upper quantile 1e-10, 1e9, 0.5 (edge)", 1, 1e-10, 1e9, 0.5, 0},
    {"correlation rho 0.5, 30, 0.05", 2, 0.5, 30, 0.05, 0},
    {"correlation rho 0.3, 20, 1e-300 (edge)", 2, 0.3, 20, 1e-300, 0},
    {"binomial tails 7, 20, 0.3 (typical)", 3, 7, 20, 0.3, 0},
    {"binomial tails 5e8, 1e9, 0.5 (edge, bulk)", 3, 5e8, 1e9, 0.5, 0},
    {"binomial tails 2.5e8, 1e9, 0.5 (edge, far tail)", 3, 2.5e8, 1e9, 0.5, 0},
    {"binomial critical counts 20, 0.5, 0.025", 4, 0, 20, 0.5, 0.025},
    {"binomial critical counts 1e9, 0.3, 0.025 (edge)", 4, 0, 1e9, 0.3, 0.025},
    {"binomial Clopper-Pearson 3, 20, 0.025", 5, 3, 20, 0, 0.025},
    {"binomial Clopper-Pearson 5e8, 1e9, 0.025 (edge)", 5, 5e8, 1e9, 0, 0.025},
};

double exact(const ExactCase& c)
{
    switch (c.kind) {
    case 0: return engine::correlation_tails(c.x, c.n, c.param).upper.value;
    case 1: return engine::correlation_upper_quantile(c.x, c.n, c.param);
    case 2: return engine::correlation_rho(c.x, c.n, c.param);
    case 3: return engine::binomial_tails(c.x, c.n, c.param).upper.value;
    case 4: return engine::binomial_upper_critical(c.n, c.param, c.level) + engine::binomial_lower_critical(c.n, c.param, c.level);
    default: return engine::binomial_lower_limit(c.x, c.n, c.level) + engine::binomial_upper_limit(c.x, c.n, c.level);
    }
}

void measure_exact(benchmark::State& state, const ExactCase& c)
{
    for (auto _ : state) benchmark::DoNotOptimize(exact(c));
}

// The power window's questions as it answers them, both pictures included:
// the textbook case, and the slowest found over designs, effects from 0.01
// to 50, alpha from 0.05 to 1e-300, power to 0.999999 and N from 10 to 10^9.
struct PowerCase {
    const char* name;
    const char* design;
    power::Find question;
    power::Typed boxes;
};

const PowerCase power_cases[] = {
    {"power window t 2 groups d 0.5: Find N (typical)", "t2", power::Find::n,
     {{"effect", u"0.5"}, {"alpha", u"0.05"}, {"power", u"0.8"}, {"tails", u"2"}, {"ratio", u"1"}}},
    {"power window ANOVA f 0.25, N 60, F(2, 57) 4.2: Find power, effect interval", "anova", power::Find::power,
     {{"effect", u"0.25"}, {"alpha", u"0.05"}, {"power", u"0.8"}, {"n", u"60"}, {"groups", u"3"},
      {"observed", u"4.2"}, {"observed_df2", u"57"}}},
    {"power window ANOVA f 50 at alpha 1e-300: Find N (slowest found)", "anova", power::Find::n,
     {{"effect", u"50"}, {"alpha", u"1e-300"}, {"power", u"0.8"}, {"groups", u"5"}}},
    {"power window Regression f2 0.5, N 10, power 0.999999: Find effect (slowest found)", "regression",
     power::Find::effect, {{"alpha", u"1e-10"}, {"power", u"0.999999"}, {"n", u"10"}, {"predictors", u"3"}}},
    {"power window Regression f2 0.5, N 1e6: Find power (lambda 5e5)", "regression", power::Find::power,
     {{"effect", u"0.5"}, {"alpha", u"0.05"}, {"power", u"0.8"}, {"n", u"1e6"}, {"predictors", u"3"}}},
    // The designs of the correlation, the proportions, the R^2 increase and
    // repeated measures: a typical answer and the slowest found over a grid
    // of effects, Ns from the least to 10^9 and levels to 1e-300.
    {"power window Correlation rho 0.3: Find N (typical)", "correlation", power::Find::n,
     {{"effect", u"0.3"}, {"rho0", u"0"}, {"alpha", u"0.05"}, {"power", u"0.8"}, {"tails", u"2"}}},
    {"power window Correlation rho 0.9 against 0.5: Find N (slowest found)", "correlation", power::Find::n,
     {{"effect", u"0.9"}, {"rho0", u"0.5"}, {"alpha", u"0.05"}, {"power", u"0.9"}, {"tails", u"2"}}},
    {"power window Correlation N 1e9: Find effect (slowest found)", "correlation", power::Find::effect,
     {{"rho0", u"0"}, {"alpha", u"0.05"}, {"power", u"0.9"}, {"n", u"1e9"}, {"tails", u"2"}}},
    {"power window Proportion p1 0.65: Find N, its saw (typical)", "proportion", power::Find::n,
     {{"effect", u"0.65"}, {"p0", u"0.5"}, {"alpha", u"0.05"}, {"power", u"0.8"}, {"tails", u"2"}}},
    {"power window Proportion p1 0.5005, N to 1e9: Find N (slowest found)", "proportion", power::Find::n,
     {{"effect", u"0.5005"}, {"p0", u"0.5"}, {"alpha", u"0.05"}, {"power", u"0.8"}, {"tails", u"2"}}},
    {"power window Proportion N 1e9: Find effect (slowest found)", "proportion", power::Find::effect,
     {{"p0", u"0.5"}, {"alpha", u"0.05"}, {"power", u"0.8"}, {"n", u"1e9"}, {"tails", u"2"}}},
    {"power window 2 proportions 0.5 and 0.65: Find N, summed exactly (typical)", "proportions", power::Find::n,
     {{"p1", u"0.5"}, {"effect", u"0.65"}, {"alpha", u"0.05"}, {"power", u"0.8"}, {"ratio", u"1"}, {"tails", u"2"}}},
    {"power window 2 proportions N 200000, RATIO 5: Find effect (slowest found)", "proportions", power::Find::effect,
     {{"p1", u"0.01"}, {"alpha", u"0.05"}, {"power", u"0.8"}, {"n", u"200000"}, {"ratio", u"5"}, {"tails", u"2"}}},
    {"power window R2 increase f2 0.15: Find N (typical)", "r2increase", power::Find::n,
     {{"effect", u"0.15"}, {"alpha", u"0.05"}, {"power", u"0.8"}, {"predictors", u"10"}, {"tested", u"3"}}},
    {"power window Repeated f 50 at alpha 1e-300: Find N (slowest found)", "repeated", power::Find::n,
     {{"effect", u"50"}, {"alpha", u"1e-300"}, {"power", u"0.8"}, {"measurements", u"5"}, {"correlation", u"0.5"},
      {"epsilon", u"0.5"}}},
};

// The window's exact N beside the textbook approximations: Fisher's z for
// a correlation, N = ((z_a + z_b) / atanh rho)^2 + 3, and the arcsine for
// two proportions, n a group = 2 ((z_a + z_b) / h)^2 (h's variance is 2/n)
// with h = 2 asin sqrt p2 - 2 asin sqrt p1; and the exact power at the approximation's N. Two tails
// at alpha 0.05, power 0.8. Rows of a Markdown table.
void approximations()
{
    const double za = engine::normal_upper_quantile(0.025), zb = engine::normal_upper_quantile(0.2);
    const auto design = [](const char* key) {
        for (const power::Design* d : power::designs())
            if (d->key == std::string(key)) return d;
        return power::designs().front();
    };
    const auto exact = [](const power::Design& d, power::Typed typed, long long n) {
        typed["n"] = platform::whole(n);
        return power::answer(d, typed, power::Find::power, u'.').test.power;
    };
    for (const char* rho : {"0.05", "0.1", "0.3", "0.5", "0.7", "0.9"}) {
        const power::Typed typed{{"effect", platform::from_utf8(rho)}, {"rho0", u"0"}, {"alpha", u"0.05"},
                                 {"power", u"0.8"}, {"tails", u"2"}};
        const power::PowerAnswer a = power::answer(*design("correlation"), typed, power::Find::n, u'.');
        const double r = std::atof(rho), z = std::atanh(r);
        const long long fisher = static_cast<long long>(std::ceil(std::pow((za + zb) / z, 2) + 3));
        std::printf("| correlation rho %s | %lld | %lld (Fisher's z) | %.4f |\n", rho, a.layout.n, fisher,
                    exact(*design("correlation"), typed, fisher));
    }
    for (const auto& [p1, p2] : std::vector<std::pair<const char*, const char*>>{
             {"0.5", "0.65"}, {"0.1", "0.2"}, {"0.05", "0.15"}, {"0.01", "0.05"}, {"0.3", "0.31"}, {"0.001", "0.01"}}) {
        const power::Typed typed{{"p1", platform::from_utf8(p1)}, {"effect", platform::from_utf8(p2)}, {"alpha", u"0.05"},
                                 {"power", u"0.8"}, {"ratio", u"1"}, {"tails", u"2"}};
        const power::PowerAnswer a = power::answer(*design("proportions"), typed, power::Find::n, u'.');
        const double h = 2 * std::asin(std::sqrt(std::atof(p2))) - 2 * std::asin(std::sqrt(std::atof(p1)));
        const long long arcsine = 2 * static_cast<long long>(std::ceil(2 * std::pow((za + zb) / h, 2)));
        std::printf("| 2 proportions %s and %s | %lld | %lld (arcsine) | %.4f |\n", p1, p2, a.layout.n, arcsine,
                    exact(*design("proportions"), typed, arcsine));
    }
}

void measure_power(benchmark::State& state, const PowerCase& c)
{
    const power::Design* design = nullptr;
    for (const power::Design* d : power::designs())
        if (d->key == c.design) design = d;
    for (auto _ : state) {
        const power::PowerAnswer a = power::answer(*design, c.boxes, c.question, u'.');
        benchmark::DoNotOptimize(charts::distributions_picture(a, u'.', 488, 306));
        benchmark::DoNotOptimize(charts::power_curve_picture(a, u'.', 488, 306));
    }
}

// The main window as the Run command reads it.
class BenchView : public run::RunView {
public:
    explicit BenchView(const Case& c) : case_(c) {}
    platform::Text caption() const override
    {
        return run::describe(case_.c > 0 ? run::DistributionId::f : run::DistributionId::t).caption;
    }
    platform::Text text(run::Box box) const override
    {
        const double v[] = {case_.a, case_.b, case_.c};
        return platform::significant(v[int(box)], 17, false, u'.');
    }
    platform::Text name(run::Box) const override { return u"DEGREES OF FREEDOM"; }
    char16_t decimal_separator() const override { return u'.'; }

private:
    const Case& case_;
};

// A quantile beyond a double's range is refused by a Fault; the time to the
// refusal is the time a window waits, so it is measured like any answer.
double critical(const Case& c)
{
    try {
        switch (c.routine) {
        case 9: return engine::chi_square_upper_quantile(c.a, c.b);
        case 10: return engine::normal_upper_quantile(c.a);
        case 11: return engine::t_upper_quantile(c.a, c.b);
        default: return engine::f_upper_quantile(c.a, c.b, c.c);
        }
    } catch (const std::exception&) {
        return 0;
    }
}

void measure(benchmark::State& state, const Case& c)
{
    const run::Outcome outcome = c.routine >= 13 ? run::run_command(BenchView(c)) : run::Outcome{};
    for (auto _ : state) {
        switch (c.routine) {
        case 0: benchmark::DoNotOptimize(engine::chi_square(c.a, c.b)); break;
        case 1: benchmark::DoNotOptimize(engine::normal_area(c.a)); break;
        case 2: benchmark::DoNotOptimize(engine::t_distribution(c.a, c.b)); break;
        case 3: benchmark::DoNotOptimize(engine::f_distribution(c.a, c.b, c.c)); break;
        case 4: benchmark::DoNotOptimize(engine::chi_square_tails(c.a, c.b)); break;
        case 5: benchmark::DoNotOptimize(engine::normal_tails(c.a)); break;
        case 6: benchmark::DoNotOptimize(engine::t_tails(c.a, c.b)); break;
        case 7: benchmark::DoNotOptimize(engine::f_tails(c.a, c.b, c.c)); break;
        case 8: benchmark::DoNotOptimize(run::run_command(BenchView(c))); break;
        case 13: benchmark::DoNotOptimize(charts::plot(outcome, u"0.05", u'.', 380, 301)); break;
        case 14: benchmark::DoNotOptimize(charts::plot(outcome, u"1e-300", u'.', 380, 301)); break;
        default: benchmark::DoNotOptimize(critical(c)); break;
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--approximations") == 0) {
        approximations();
        return 0;
    }
    // The tails' logarithms and the time of a call, each with its inputs, for R
    // to compute beside them (tools/bench): law x nu1 nu2 nc us ln_upper ln_lower.
    if (argc > 1 && std::strcmp(argv[1], "--values") == 0) {
        for (const NoncentralCase& c : noncentral_cases) {
            if (c.kind != 0) continue;
            auto tails = [&c] {
                return c.law == 'c'   ? engine::noncentral_chi_square_tails(c.a, c.nu1, c.nc)
                       : c.law == 'f' ? engine::noncentral_f_tails(c.a, c.nu1, c.nu2, c.nc)
                                      : engine::noncentral_t_tails(c.a, c.nu1, c.nc);
            };
            const auto start = std::chrono::steady_clock::now();
            long calls = 0;
            engine::Tails t{};
            do t = tails(), ++calls;
            while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(200));
            const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / calls;
            std::printf("%c %.17g %.17g %.17g %.17g %.3g %.17g %.17g\n", c.law, c.a, c.nu1, c.nu2, c.nc, us, t.upper.log,
                        t.lower.log);
        }
        return 0;
    }
    for (const Case& c : cases) benchmark::RegisterBenchmark(c.name, measure, c)->Unit(benchmark::kMicrosecond);
    for (const NoncentralCase& c : noncentral_cases)
        benchmark::RegisterBenchmark(c.name, measure_noncentral, c)->Unit(benchmark::kMicrosecond);
    for (const ExactCase& c : exact_cases)
        benchmark::RegisterBenchmark(c.name, measure_exact, c)->Unit(benchmark::kMicrosecond);
    for (const PowerCase& c : power_cases)
        benchmark::RegisterBenchmark(c.name, measure_power, c)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
