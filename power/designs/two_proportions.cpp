// Two independent groups, n2 = RATIO n1, each a count of successes, tested
// by the pooled z test of two proportions: z = (x2/n2 - x1/n1) / sqrt(pbar
// (1 - pbar) (1/n1 + 1/n2)), pbar = (x1 + x2)/N. Its power is summed over
// both groups' binomial outcomes, exactly: for each x1 the x2 that reject
// form a run at each end, whose chance is a sum of the second group's
// probabilities; the runs' ends only move up as x1 does, so one sweep over
// both groups' counts gives it. The counts whose probability is below
// 1e-22 of the largest are left out: the power to 1e-16.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/binomial_probability.h"
#include "engine/normal_quantile.h"
#include "engine/normal_tails.h"
#include "platform/number_text.h"
#include "power/boxes.h"
#include "power/designs/designs.h"
#include "power/groups.h"
#include "run/exact_text.h"

namespace power {

namespace {

// A binomial law's probabilities over the counts that hold all but 1e-22 of
// it: from the mode outward by the ratio of neighbours, in long double, with
// their sums from either end.
struct Counts {
    long long first = 0;
    std::vector<long double> p, below, above;  // P(X = k), P(X <= k), P(X >= k) for k = first + i

    Counts(long long n, double chance)
    {
        const long long mode = std::min(n, static_cast<long long>(std::floor(double(n + 1) * chance)));
        const long double top = std::exp(static_cast<long double>(engine::binomial_log_probability(double(mode), double(n), chance)));
        const long double odds = static_cast<long double>(chance) / (1 - static_cast<long double>(chance));
        std::vector<long double> up{top}, down;
        for (long long k = mode; k < n && up.back() > 1e-22L * top; ++k)
            up.push_back(up.back() * (long double)(n - k) / (long double)(k + 1) * odds);
        for (long double q = top, k = (long double)mode; k > 0 && q > 1e-22L * top; --k)
            down.push_back(q = q * k / ((long double)n - k + 1) / odds);
        first = mode - (long long)down.size();
        p.assign(down.rbegin(), down.rend());
        p.insert(p.end(), up.begin(), up.end());
        below.resize(p.size());
        above.resize(p.size());
        long double sum = 0;
        for (size_t i = 0; i < p.size(); ++i) below[i] = sum += p[i];
        sum = 0;
        for (size_t i = p.size(); i-- > 0;) above[i] = sum += p[i];
    }
    long long last() const { return first + (long long)p.size() - 1; }
    long double at_most(long long k) const { return k < first ? 0 : k > last() ? below.back() : below[size_t(k - first)]; }
    long double at_least(long long k) const { return k > last() ? 0 : k < first ? above.front() : above[size_t(k - first)]; }
};

struct Chances {
    long double reject, between;  // the chance of rejecting, and of the counts between the runs
};

// Both groups' chances given, the chance the pooled z reaches c: x2 at or
// above up(x1) where z >= c (`high`), at or below down(x1) where z <= -c
// (`low`). z rises with x2 at fixed x1, and each run's end with x1.
Chances chances(long long n1, long long n2, double p1, double p2, double c, bool high, bool low)
{
    const Counts g1(n1, p1), g2(n2, p2);
    const auto z = [&](long long x1, long long x2) {
        const double pooled = double(x1 + x2) / double(n1 + n2);
        const double se = std::sqrt(pooled * (1 - pooled) * (1.0 / double(n1) + 1.0 / double(n2)));
        const double difference = double(x2) / double(n2) - double(x1) / double(n1);
        return se > 0 ? difference / se : 0.0;
    };
    Chances out{0, 0};
    // The first x2 that rejects above and the last that rejects below, each
    // within the counts that hold the second group's chance: beyond them a
    // step would move no chance.
    long long up = g2.first, down = g2.first - 1;
    for (size_t i = 0; i < g1.p.size(); ++i) {
        const long long x1 = g1.first + (long long)i;
        while (up <= g2.last() && z(x1, up) < c) ++up;
        while (down < g2.last() && z(x1, down + 1) <= -c) ++down;
        const long double over = high ? g2.at_least(up) : 0;
        const long double under = low ? g2.at_most(down) : 0;
        const long double lo = low ? down : -1, hi = high ? up : n2 + 1;
        out.reject += g1.p[i] * (over + under);
        out.between += g1.p[i] * (g2.at_most((long long)hi - 1) - g2.at_most((long long)lo));
    }
    return out;
}

// Up to this many a group the power is summed exactly, within some
// milliseconds; beyond, the sum's hundreds of thousands of terms a group
// would take longer than an answer may.
constexpr long long exact_up_to = 100'000;

class TwoProportions final : public Design {
public:
    TwoProportions() : Design({"proportions", u"2 proportions", u"TWO PROPORTIONS", u"p2", u"z", u""})
    {
        boxes = {boxes::chance("p1", u"PROPORTION p1", u"0.5"),
                 boxes::chance("effect", u"PROPORTION p2", u"0.65"),
                 boxes::alpha(),
                 boxes::power(),
                 boxes::n(),
                 boxes::ratio(),
                 boxes::tails(),
                 {"observed", u"OBSERVED x1", u"", Box::Kind::whole, 0, double(largest_n)},
                 {"observed_n1", u"OBSERVED N1", u"", Box::Kind::whole, 1, double(largest_n)},
                 {"observed_x2", u"OBSERVED x2", u"", Box::Kind::whole, 0, double(largest_n)},
                 {"observed_n2", u"OBSERVED N2", u"", Box::Kind::whole, 1, double(largest_n)}};
    }

    bool no_effect(const Values& v, double p2) const override { return p2 == v.at("p1"); }
    bool saws() const override { return true; }
    long long saw_period(const Values& v) const override
    {
        const double p1 = v.at("p1");
        return static_cast<long long>(std::ceil(1 / std::fmin(p1, 1 - p1)));
    }
    // Three saws below where the test's normal approximation reaches the
    // target: doubling, then halving the bracket on that approximation,
    // which rises with N.
    long long scan_from(const Values& v, double p2, double alpha, double target) const override
    {
        const auto reaches = [&](long long m) {
            Layout at;
            return lay_out(v, n_of_step(v, m), at) && approximate_power(v, at, p2, alpha) >= target;
        };
        long long low = 0, high = first_step(v);
        while (n_of_step(v, high) < largest_n && !reaches(high)) low = high, high *= 2;
        return std::max(first_step(v), least_reaching(low, high, reaches) - 3 * saw_period(v));
    }

    bool lay_out(const Values& v, long long n, Layout& out) const override { return groups::lay_out(v, n, out); }
    Text split_words(const Values& v, const Layout& at, char16_t separator) const override
    {
        return groups::split_words(v, at, separator);
    }
    long long n_of_step(const Values& v, long long m) const override { return groups::n_of_step(v, m); }

    Test test(const Values& v, const Layout& at, double p2, double alpha) const override
    {
        const long long n1 = at.groups[0].second, n2 = at.groups[1].second;
        const double p1 = v.at("p1");
        const bool two = v.at("tails") == 2, up = p2 >= p1;
        const double c = engine::normal_upper_quantile(two ? alpha / 2 : alpha);
        Test t;
        t.alpha = alpha;
        if (two || up) t.above = c;
        if (two || !up) t.below = -c;
        // The picture's laws: z under H0 and H1 as their normal approximations.
        const Moments m = moments(n1, n2, p1, p2);
        t.h0 = engine::Law::normal();
        t.h1 = engine::Law::normal(m.mean, m.sd);
        t.noncentrality = m.mean;
        if (std::max(n1, n2) > exact_up_to) {
            // Beyond, the difference of the shares as a normal law: Berry and
            // Esseen bound how far its distribution function can lie from
            // the normal's, by 0.56 sum E|Y - EY|^3 / sd^3 over the counts'
            // terms (Shevtsova's constant), each group's n terms summing to
            // p q (p^2 + q^2) / n^2.
            const engine::Tails high = t.h1.tails(c), low = t.h1.tails(-c);
            t.power = (two || up ? high.upper.value : 0) + (two || !up ? low.lower.value : 0);
            const engine::Probability& near = up ? high.lower : low.upper;
            const double far = up ? (two ? low.lower.value : 0) : (two ? high.upper.value : 0);
            t.beta = near.value - far;
            t.beta_log = near.log + std::log1p(-far / near.value);
            const auto third = [](double p, double n) { return p * (1 - p) * (p * p + (1 - p) * (1 - p)) / (n * n); };
            const double sd = std::sqrt(p1 * (1 - p1) / double(n1) + p2 * (1 - p2) / double(n2));
            const double bound = 0.56 * (third(p1, double(n1)) + third(p2, double(n2))) / (sd * sd * sd);
            t.approximation = u"Beyond " + platform::whole(exact_up_to) +
                              u" a group the power is the normal approximation of the pooled z test, not the exact "
                              u"sum: Berry and Esseen bound its error in each tail by";
            t.error = bound;
            return t;
        }
        const Chances h1 = chances(n1, n2, p1, p2, c, two || up, two || !up);
        t.power = double(h1.reject);
        t.beta = double(h1.between);
        t.beta_log = std::log(h1.between);
        return t;
    }

    // The test's own level, where both groups have the first's chance: a
    // second sum, which no search needs.
    void complete(const Values& v, const Layout& at, Test& t) const override
    {
        if (std::max(at.groups[0].second, at.groups[1].second) > exact_up_to) return;
        t.attained = double(chances(at.groups[0].second, at.groups[1].second, v.at("p1"), v.at("p1"),
                                    std::isnan(t.above) ? -t.below : t.above, !std::isnan(t.above),
                                    !std::isnan(t.below))
                                .reject);
    }

    double effect_for_power(const Values& v, const Layout& at, double alpha, double target) const override
    {
        const double p1 = v.at("p1");
        const double end = p1 < 1 - 1e-9 ? 1 - 1e-15 : 1e-15;
        return first_reaching(p1, end, [&](double p2) { return test(v, at, p2, alpha).power; }, target);
    }

    Test alpha_for_power(const Values& v, const Layout& at, double p2, double target) const override
    {
        return level_for_power(v, at, p2, target);
    }

    // The difference of the shares, inside Newcombe's interval (his tenth,
    // from each share's Wilson score interval), and Cohen's h = 2 asin
    // sqrt(p1) - 2 asin sqrt(p2), inside its normal interval, whose
    // variance is 1/N1 + 1/N2 whatever the chances.
    Observed observed(const Values& v, double alpha, char16_t separator) const override
    {
        Observed o;
        o.typed = true;
        const double x1 = v.at("observed"), n1 = v.at("observed_n1"), x2 = v.at("observed_x2"), n2 = v.at("observed_n2");
        if (x1 > n1) throw Refusal{u"OBSERVED x1 must be at most OBSERVED N1."};
        if (x2 > n2) throw Refusal{u"OBSERVED x2 must be at most OBSERVED N2."};
        const double z = engine::normal_upper_quantile(alpha / 2);
        const auto wilson = [&](double x, double n) {
            const double p = x / n, centre = p + z * z / (2 * n), spread = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n));
            return std::pair{(centre - spread) / (1 + z * z / n), (centre + spread) / (1 + z * z / n)};
        };
        const double q1 = x1 / n1, q2 = x2 / n2, d = q1 - q2;
        const auto [l1, u1] = wilson(x1, n1);
        const auto [l2, u2] = wilson(x2, n2);
        o.heading = u"x1 = " + platform::whole(static_cast<long long>(x1)) + u" of " +
                    platform::whole(static_cast<long long>(n1)) + u", x2 = " +
                    platform::whole(static_cast<long long>(x2)) + u" of " + platform::whole(static_cast<long long>(n2));
        o.level = 1 - alpha;
        o.effects.push_back({u"p1 \u2212 p2", d, d - std::hypot(q1 - l1, u2 - q2), d + std::hypot(u1 - q1, q2 - l2), false,
                             false});
        const double h = 2 * std::asin(std::sqrt(q1)) - 2 * std::asin(std::sqrt(q2)), half = z * std::sqrt(1 / n1 + 1 / n2);
        o.effects.push_back({u"h", h, h - half, h + half, false, false});
        (void)separator;
        return o;
    }

    Text test_words(const Values& v, char16_t separator) const override
    {
        return Text(v.at("tails") == 2 ? u"two-tailed" : u"one-tailed") +
               u" pooled z test of two independent proportions, p1 = " +
               run::short_number(v.at("p1"), separator);
    }
    Text degrees_words(const Layout&, char16_t) const override { return {}; }
    Text law_words(const Test& t, const Layout& at, char16_t separator) const override
    {
        return u"z of two groups of " + platform::whole(at.groups[0].second) + u" and " +
               platform::whole(at.groups[1].second) + u", drawn as its normal approximations (mean " +
               platform::significant(t.h1.noncentrality(), 4, true, separator) + u" under H1); the power summed exactly";
    }

private:
    struct Moments {
        double mean, sd;
    };
    // z's approximate law under H1: the difference's mean over the pooled
    // standard error under H0, and its own spread in that unit.
    static Moments moments(long long n1, long long n2, double p1, double p2)
    {
        const double pooled = (double(n1) * p1 + double(n2) * p2) / double(n1 + n2);
        const double se0 = std::sqrt(pooled * (1 - pooled) * (1.0 / double(n1) + 1.0 / double(n2)));
        const double se1 = std::sqrt(p1 * (1 - p1) / double(n1) + p2 * (1 - p2) / double(n2));
        return {(p2 - p1) / se0, se1 / se0};
    }
    static double approximate_power(const Values& v, const Layout& at, double p2, double alpha)
    {
        const double p1 = v.at("p1");
        const bool two = v.at("tails") == 2, up = p2 >= p1;
        const double c = engine::normal_upper_quantile(two ? alpha / 2 : alpha);
        const Moments m = moments(at.groups[0].second, at.groups[1].second, p1, p2);
        const engine::Law z = engine::Law::normal(m.mean, m.sd);
        double power = 0;
        if (two || up) power += z.tails(c).upper.value;
        if (two || !up) power += z.tails(-c).lower.value;
        return power;
    }
};

}  // namespace

const Design& two_proportions()
{
    static const TwoProportions design;
    return design;
}

}  // namespace power
