// N trials against a benchmark p0, by the exact binomial test: H0 rejected
// for a count X at or beyond the critical counts, each tail at most alpha/2
// (alpha for one tail), the power the binomial law's at p1 there. Its level
// is the test's own, at most alpha, and both saw as N grows.
#include <cmath>

#include "engine/binomial_critical.h"
#include "engine/binomial_limits.h"
#include "engine/binomial_probability.h"
#include "engine/binomial_tails.h"
#include "platform/number_text.h"
#include "power/boxes.h"
#include "power/designs/designs.h"
#include "run/exact_text.h"

namespace power {

namespace {

// The power of the randomized test of exactly the level: at the critical
// count's neighbour it rejects with the chance that makes up the level. It
// is at least the exact test's at every N, and rises with N, so no N below
// the first where it reaches the target can reach it.
double randomized_power(double n, double p0, double p1, double a, bool upper)
{
    const double k = upper ? engine::binomial_upper_critical(n, p0, a) : engine::binomial_lower_critical(n, p0, a);
    const double next = upper ? k - 1 : k + 1;  // the count one short of rejection
    double power = 0, used = 0;
    if (k >= 0 && k <= n) {
        const engine::Tails h1 = engine::binomial_tails(k, n, p1), h0 = engine::binomial_tails(k, n, p0);
        power = upper ? h1.upper.value : h1.lower.value;
        used = upper ? h0.upper.value : h0.lower.value;
    }
    if (next < 0 || next > n) return power;
    const double at0 = std::exp(engine::binomial_log_probability(next, n, p0));
    const double at1 = std::exp(engine::binomial_log_probability(next, n, p1));
    return power + (at0 > 0 ? std::fmin((a - used) / at0, 1.0) * at1 : 0);
}

class Proportion final : public Design {
public:
    Proportion() : Design({"proportion", u"Proportion", u"PROPORTION AGAINST p0", u"p1", u"X", u""})
    {
        boxes = {boxes::chance("effect", u"PROPORTION p1", u"0.65"),
                 boxes::chance("p0", u"p0", u"0.5"),
                 boxes::alpha(),
                 boxes::power(),
                 boxes::n(),
                 boxes::tails(),
                 {"observed", u"OBSERVED x", u"", Box::Kind::whole, 0, double(largest_n)},
                 {"observed_n", u"OBSERVED N", u"", Box::Kind::whole, 1, double(largest_n)}};
    }

    bool no_effect(const Values& v, double p1) const override { return p1 == v.at("p0"); }
    bool saws() const override { return true; }
    // A saw spans the Ns over which the critical count moves by one.
    long long saw_period(const Values& v) const override
    {
        const double p0 = v.at("p0");
        return static_cast<long long>(std::ceil(1 / std::fmin(p0, 1 - p0)));
    }
    // The first N where the randomized test reaches the target: doubling,
    // then halving the bracket.
    long long scan_from(const Values& v, double p1, double alpha, double target) const override
    {
        const double p0 = v.at("p0");
        const bool two = v.at("tails") == 2, up = p1 >= p0;
        const auto reaches = [&](long long n) {
            const double a = two ? alpha / 2 : alpha;
            double power = 0;
            if (two || up) power += randomized_power(double(n), p0, p1, a, true);
            if (two || !up) power += randomized_power(double(n), p0, p1, a, false);
            return power >= target;
        };
        long long low = 0, high = 1;
        while (high < largest_n && !reaches(high)) low = high, high = std::min(2 * high, largest_n);
        return least_reaching(low, high, reaches);
    }

    // Between the Ns where a critical count moves, the power moves one way
    // only, and where p0 or 1 - p0 is small those runs are long: a run of Ns with the same counts is searched at its ends, and
    // halved where the power crosses the target inside it. The runs from
    // scan_from on, to the first N that reaches the target, then on until
    // runs in a row, three at least and several saws long, reach it all
    // through; every N from the one after the last that fell short reaches it.
    long long saw_search(const Values& v, double p1, double alpha, double target, long long& every) const override
    {
        // The runs are those of the rarer outcome's count: counted as
        // failures (p0 above 1/2 is 1 - p0 below it), the same test.
        if (v.at("p0") > 0.5) {
            Values failures = v;
            failures["p0"] = 1 - v.at("p0");
            return saw_search(failures, 1 - p1, alpha, target, every);
        }
        const bool two = v.at("tails") == 2, up = p1 >= v.at("p0");
        const double a = two ? alpha / 2 : alpha, p0 = v.at("p0");
        // Runs of an N or two are quicker taken one N at a time.
        if (saw_period(v) <= 64) return scan(v, p1, alpha, a, two || up, two || !up, target, every);
        const auto counts = [&](long long n) {
            return std::pair{two || up ? engine::binomial_upper_critical(double(n), p0, a) : 0.0,
                             two || !up ? engine::binomial_lower_critical(double(n), p0, a) : 0.0};
        };
        const auto reaches = [&](long long n) {
            Layout at;
            return lay_out(v, n, at) && test(v, at, p1, alpha).power >= target;
        };
        // The last N of n's run: doubling, then halving.
        const auto run_end = [&](long long n) {
            const auto c = counts(n);
            long long same = n, step = 1;
            while (same + step <= largest_n && counts(same + step) == c) same += step, step *= 2;
            long long other = std::min(same + step, largest_n + 1);
            while (other - same > 1) {
                const long long middle = same + (other - same) / 2;
                (middle <= largest_n && counts(middle) == c ? same : other) = middle;
            }
            return same;
        };
        // The first N of [from, to] where `reaches` turns from `was` to the other.
        const auto crossing = [&](long long from, long long to, bool was) {
            while (to - from > 1) {
                const long long middle = from + (to - from) / 2;
                (reaches(middle) == was ? from : to) = middle;
            }
            return to;
        };
        long long first = 0, short_of = 0;
        int through = 0;       // runs in a row that reach it all through
        long long reached = 0; // the Ns they span
        const long long enough = 3 * saw_period(v) + 20;
        for (long long n = scan_from(v, p1, alpha, target); n <= largest_n && (through < 3 || reached < enough);) {
            const long long end = run_end(n);
            const bool start = reaches(n), finish = reaches(end);
            if (start && finish) ++through, reached += end - n + 1;
            else through = 0, reached = 0;
            if (!start && !finish) short_of = end;
            if (!start && finish) {
                const long long c = crossing(n, end, false);
                if (!first) first = c;
                short_of = c - 1;
            }
            if (start && !finish) {
                if (!first) first = n;
                short_of = end;
            }
            if (start && finish && !first) first = n;
            n = end + 1;
        }
        if (!first) return 0;
        every = std::max(first, short_of + 1);
        return first;
    }

    // One N after another from scan_from, the critical counts carried: from
    // N to N + 1 each moves by one count at most (a tail beyond a fixed
    // count grows with N, and X of N + 1 trials is X of N plus one), so two
    // tails settle them where a search took some ten. To the first N whose
    // power reaches the target, then on until several saws in a row do.
    long long scan(const Values& v, double p1, double alpha, double a, bool upper, bool lower, double target,
                   long long& every) const
    {
        const double p0 = v.at("p0"), log_a = std::log(a);
        double n = double(scan_from(v, p1, alpha, target));
        double high = upper ? engine::binomial_upper_critical(n, p0, a) : INFINITY;
        double low = lower ? engine::binomial_lower_critical(n, p0, a) : -1;
        const auto power = [&] {
            return (high <= n ? engine::binomial_tails(high, n, p1).upper.value : 0) +
                   (low >= 0 ? engine::binomial_tails(low, n, p1).lower.value : 0);
        };
        const long long enough = 3 * saw_period(v) + 20;
        long long first = 0, short_of = 0;
        for (; n <= double(largest_n); ++n) {
            if (n > 1 && upper && !(high <= n && engine::binomial_tails(high, n, p0).upper.log <= log_a)) ++high;
            if (n > 1 && lower && low + 1 <= n && engine::binomial_tails(low + 1, n, p0).lower.log <= log_a) ++low;
            if (power() < target) short_of = (long long)n;
            else if (!first) first = (long long)n;
            if (first && (long long)n - short_of >= enough) break;
        }
        if (!first) return 0;
        every = std::max(first, short_of + 1);
        return first;
    }

    bool lay_out(const Values&, long long n, Layout& out) const override
    {
        out = {};
        out.n = n;
        return n >= 1;
    }

    Test test(const Values& v, const Layout& at, double p1, double alpha) const override
    {
        Test t = critical(v, at, p1 >= v.at("p0"), alpha);
        reach(t, p1);
        return t;
    }

    // The power rises as p1 moves away from p0, above it where it can; the
    // critical counts are H0's, the same for every p1 on that side.
    double effect_for_power(const Values& v, const Layout& at, double alpha, double target) const override
    {
        const double p0 = v.at("p0");
        const bool up = p0 < 1 - 1e-9;
        const double end = up ? 1 - 1e-15 : 1e-15;
        Test t = critical(v, at, up, alpha);
        return first_reaching(
            p0, end,
            [&](double p1) {
                reach(t, p1);
                return t.power;
            },
            target);
    }

    Test alpha_for_power(const Values& v, const Layout& at, double p1, double target) const override
    {
        return level_for_power(v, at, p1, target);
    }

    // The share of successes, inside its exact (Clopper-Pearson) interval at
    // 1 - alpha, each end where the count is the binomial law's tail at alpha/2.
    Observed observed(const Values& v, double alpha, char16_t separator) const override
    {
        Observed o;
        o.typed = true;
        const double x = v.at("observed"), n = v.at("observed_n");
        if (x > n) throw Refusal{u"OBSERVED x must be at most OBSERVED N."};
        o.heading = u"x = " + platform::whole(static_cast<long long>(x)) + u" of N = " +
                    platform::whole(static_cast<long long>(n));
        o.level = 1 - alpha;
        o.effects.push_back({u"p", x / n, engine::binomial_lower_limit(x, n, alpha / 2),
                             engine::binomial_upper_limit(x, n, alpha / 2), false, false});
        (void)separator;
        return o;
    }

    Text test_words(const Values& v, char16_t separator) const override
    {
        return Text(v.at("tails") == 2 ? u"two-tailed" : u"one-tailed") + u" exact binomial test against p0 = " +
               run::short_number(v.at("p0"), separator);
    }
    Text degrees_words(const Layout&, char16_t) const override { return {}; }
    Text law_words(const Test& t, const Layout& at, char16_t separator) const override
    {
        return u"X binomial with " + platform::whole(at.n) + u" trials, p = " +
               run::short_number(t.h0.noncentrality(), separator) + u" under H0 and " +
               platform::significant(t.h1.noncentrality(), 4, false, separator) + u" under H1";
    }

private:
    // H0's law and its critical counts at N, on the effect's side or both,
    // and the test's own level there.
    static Test critical(const Values& v, const Layout& at, bool up, double alpha)
    {
        const double n = double(at.n), p0 = v.at("p0");
        const bool two = v.at("tails") == 2;
        const double a = two ? alpha / 2 : alpha;
        Test t;
        t.alpha = alpha;
        t.h0 = engine::Law::binomial(n, p0);
        if (two || up) {
            const double k = engine::binomial_upper_critical(n, p0, a);
            if (k <= n) t.above = k;
        }
        if (two || !up) {
            const double k = engine::binomial_lower_critical(n, p0, a);
            if (k >= 0) t.below = k;
        }
        t.attained = (std::isnan(t.above) ? 0 : t.h0.tails(t.above).upper.value) +
                     (std::isnan(t.below) ? 0 : t.h0.tails(t.below).lower.value);
        return t;
    }
    // Each region's chance under H1, each as itself; beta the counts between
    // them, from the side the effect lies on.
    static void reach(Test& t, double p1)
    {
        const double n = t.h0.nu1();
        const bool up = p1 >= t.h0.noncentrality();
        t.h1 = engine::Law::binomial(n, p1);
        t.noncentrality = p1;
        const engine::Probability none{0, -INFINITY}, all{1, 0};
        const engine::Probability high1 = std::isnan(t.above) ? none : t.h1.tails(t.above).upper;
        const engine::Probability low1 = std::isnan(t.below) ? none : t.h1.tails(t.below).lower;
        t.power = high1.value + low1.value;
        const engine::Probability near = up ? (std::isnan(t.above) || t.above == 0 ? all : t.h1.tails(t.above - 1).lower)
                                            : (std::isnan(t.below) || t.below == n ? all : t.h1.tails(t.below + 1).upper);
        const engine::Probability& far = up ? low1 : high1;
        t.beta = near.value - far.value;
        t.beta_log = near.log + std::log1p(-std::exp(far.log - near.log));
    }
};

}  // namespace

const Design& proportion()
{
    static const Proportion design;
    return design;
}

}  // namespace power
