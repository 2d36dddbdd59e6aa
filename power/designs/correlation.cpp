// A correlation of N pairs from a bivariate normal tested against rho0, on
// the exact law of the sample correlation r (never Fisher's z): H0 rejected
// where r lies beyond its critical values under rho0, the power that of r's
// law under rho. At rho0 = 0 it is the t test of r with N - 2 degrees.
#include <cmath>

#include "engine/normal_quantile.h"
#include "engine/root.h"
#include "platform/number_text.h"
#include "power/boxes.h"
#include "power/designs/designs.h"
#include "run/exact_text.h"

namespace power {

namespace {

class Correlation final : public Design {
public:
    Correlation() : Design({"correlation", u"Correlation", u"CORRELATION AGAINST \u03C10", u"\u03C1", u"r", u""})
    {
        boxes = {boxes::correlation("effect", u"EFFECT SIZE \u03C1", u"0.3"),
                 boxes::correlation("rho0", u"\u03C10", u"0"),
                 boxes::alpha(),
                 boxes::power(),
                 boxes::n(),
                 boxes::tails(),
                 {"observed", u"OBSERVED r", u"", Box::Kind::number, -1, 1},
                 {"observed_n", u"OBSERVED N", u"", Box::Kind::whole, 4, double(largest_n)}};
    }

    bool no_effect(const Values& v, double rho) const override { return rho == v.at("rho0"); }

    bool lay_out(const Values&, long long n, Layout& out) const override
    {
        out = {};
        out.n = n;
        out.df1 = double(n - 2);
        return n >= 4;
    }

    // Two tails reject beyond each critical value at alpha/2; one tail on
    // the side the effect lies.
    Test test(const Values& v, const Layout& at, double rho, double alpha) const override
    {
        Test t = critical(v, at, rho >= v.at("rho0"), alpha);
        reach(t, rho);
        return t;
    }

    // The power rises as rho moves away from rho0, on the side of the
    // effect's sign (above rho0 where both are open); the critical values
    // are H0's, the same for every rho on that side.
    double effect_for_power(const Values& v, const Layout& at, double alpha, double target) const override
    {
        const double rho0 = v.at("rho0");
        const double end = rho0 < 1 - 1e-12 ? 1 - 1e-15 : -1 + 1e-15;
        const bool up = end > rho0;
        Test t = critical(v, at, up, alpha);
        const auto miss = [&](double rho) {
            reach(t, rho);
            return t.power - target;
        };
        // From a thousand pairs on, r's law all but at the end of its range
        // there: no level below 1 keeps the power from any target; below,
        // a level of 1e-300 can.
        if (at.n < 1000 && miss(end) < 0) return NAN;
        return engine::root({[&](double rho) { return up ? miss(rho) : -miss(rho); }, {}, true, false,
                             up ? rho0 : end, up ? end : rho0, (rho0 + end) / 2, INFINITY, 1e-15});
    }

    Test alpha_for_power(const Values& v, const Layout& at, double rho, double target) const override
    {
        return level_for_power(v, at, rho, target);
    }

    // r's effect is rho itself: estimated where r is its law's median, the
    // interval's ends where it is its quantiles at alpha/2 and 1 - alpha/2
    // (all one inversion of the exact law); beside it the interval Fisher's
    // z gives, named as such, around r.
    Observed observed(const Values& v, double alpha, char16_t separator) const override
    {
        Observed o;
        o.typed = true;
        const double r = v.at("observed"), n = v.at("observed_n");
        const engine::Law h = engine::Law::correlation(n, 0);
        const engine::Noncentrality low = h.noncentrality_for(r, alpha / 2), middle = h.noncentrality_for(r, 0.5),
                                    high = h.noncentrality_for(r, 1 - alpha / 2);
        o.heading = u"r = " + run::short_number(r, separator) + u" of " + platform::whole(static_cast<long long>(n)) +
                    u" pairs";
        o.level = 1 - alpha;
        o.effects.push_back({u"\u03C1", middle.value, low.value, high.value, low.bound, high.bound});
        // Fisher's z: atanh r is near normal with variance 1/(N - 3).
        if (n > 3 && std::fabs(r) < 1) {
            const double z = std::atanh(r), half = engine::normal_upper_quantile(alpha / 2) / std::sqrt(n - 3);
            o.effects.push_back({u"\u03C1 by Fisher's z", r, std::tanh(z - half), std::tanh(z + half), false, false});
        }
        return o;
    }

    Text test_words(const Values& v, char16_t separator) const override
    {
        return Text(v.at("tails") == 2 ? u"two-tailed" : u"one-tailed") + u" test of a correlation against \u03C10 = " +
               run::short_number(v.at("rho0"), separator) + u" on the exact law of r";
    }
    Text degrees_words(const Layout&, char16_t) const override { return {}; }
    Text law_words(const Test& t, const Layout& at, char16_t separator) const override
    {
        return u"r of " + platform::whole(at.n) + u" pairs, \u03C1 = " + run::short_number(t.h0.noncentrality(), separator) +
               u" under H0 and " + platform::significant(t.h1.noncentrality(), 4, false, separator) + u" under H1";
    }

private:
    // H0's law and its critical values at N, on the effect's side or both.
    static Test critical(const Values& v, const Layout& at, bool up, double alpha)
    {
        Test t;
        t.alpha = alpha;
        t.h0 = engine::Law::correlation(double(at.n), v.at("rho0"));
        const bool two = v.at("tails") == 2;
        if (two || up) t.above = t.h0.upper_quantile(two ? alpha / 2 : alpha);
        if (two || !up) t.below = t.h0.lower_quantile(two ? alpha / 2 : alpha);
        return t;
    }
    // The power at rho beyond the critical values, each side's tail as
    // itself; beta between them, from the side the effect lies on, the
    // other's tail taken off.
    static void reach(Test& t, double rho)
    {
        t.h1 = engine::Law::correlation(t.h0.nu1(), rho);
        t.noncentrality = rho;
        const bool up = rho >= t.h0.noncentrality();
        const engine::Tails high = std::isnan(t.above) ? engine::Tails{{1, 0}, {0, -INFINITY}} : t.h1.tails(t.above);
        const engine::Tails low = std::isnan(t.below) ? engine::Tails{{0, -INFINITY}, {1, 0}} : t.h1.tails(t.below);
        t.power = high.upper.value + low.lower.value;
        const engine::Probability& near = up ? high.lower : low.upper;
        const engine::Probability& far = up ? low.lower : high.upper;
        t.beta = near.value - far.value;
        t.beta_log = near.log + std::log1p(-std::exp(far.log - near.log));
    }
};

}  // namespace

const Design& correlation()
{
    static const Correlation design;
    return design;
}

}  // namespace power
