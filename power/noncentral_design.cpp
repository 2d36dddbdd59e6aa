#include "power/noncentral_design.h"

#include <cmath>
#include <functional>

#include "engine/noncentral_limits.h"
#include "engine/root.h"
#include "platform/number_text.h"
#include "run/exact_text.h"

namespace power {

namespace {

bool is_t(engine::Family f) { return f == engine::Family::t; }

}  // namespace

int NoncentralDesign::tails(const Values& v) const
{
    const auto it = v.find("tails");
    return is_t(family) && it != v.end() ? int(it->second) : 1;
}

engine::Law NoncentralDesign::null_law(const Layout& at) const
{
    switch (family) {
    case engine::Family::t: return engine::Law::t(at.df1);
    case engine::Family::f: return engine::Law::f(at.df1, at.df2);
    default: return engine::Law::chi_square(at.df1);
    }
}

double NoncentralDesign::largest() const { return is_t(family) ? engine::largest_delta : engine::largest_lambda; }

// The power and its complement at the critical values, each as itself. Two
// tails count both rejection regions: beta = P(T' < c) - P(T' < -c), the
// second far the smaller.
void NoncentralDesign::evaluate(Test& t) const
{
    const double c = t.above;
    const engine::Tails above = t.h1.tails(c);
    t.power = above.upper.value;
    t.beta = above.lower.value;
    t.beta_log = above.lower.log;
    if (!std::isnan(t.below)) {
        const engine::Tails below = t.h1.tails(-c);
        t.power += below.lower.value;
        t.beta -= below.lower.value;
        t.beta_log += std::log1p(-std::exp(below.lower.log - above.lower.log));
    }
}

Test NoncentralDesign::test(const Values& v, const Layout& at, double effect, double alpha) const
{
    Test t;
    t.alpha = alpha;
    t.h0 = null_law(at);
    // Beyond the engine's domain the power is that at the domain's end, or more.
    const double nc = noncentrality(v, at, effect);
    t.beyond = !(nc <= largest());
    t.noncentrality = nc;
    t.h1 = t.h0.at(t.beyond ? largest() : nc);
    const int sides = tails(v);
    const double c = t.h0.upper_quantile(alpha / sides);
    t.above = c;
    if (sides == 2) t.below = -c;
    evaluate(t);
    return t;
}

// The noncentrality at which the power is the target: the tail's own
// inversion for one tail, and for two the root between the ones that ignore
// the far tail (it adds at most alpha/2).
double NoncentralDesign::effect_for_power(const Values& v, const Layout& at, double alpha, double target) const
{
    const engine::Law h0 = null_law(at);
    const int sides = tails(v);
    const double c = h0.upper_quantile(alpha / sides);
    const engine::Noncentrality high = h0.noncentrality_for(c, target);
    if (high.bound) return NAN;
    double nc = high.value;
    if (sides == 2) {
        const engine::Noncentrality low = h0.noncentrality_for(c, target - alpha / 2);
        if (!low.bound && high.value > low.value)
            nc = engine::root({[&](double delta) {
                                   const engine::Law h1 = h0.at(delta);
                                   return (h1.tails(c).upper.value + h1.tails(-c).lower.value) - target;
                               },
                               {}, true, false, low.value, high.value, low.value, INFINITY, 4e-16});
    }
    return effect_of(v, at, nc);
}

// The critical value is the point beyond which the noncentral law has the
// target tail, the level the central tail there; for two tails the critical
// value is a root, between the one that ignores the far tail and the one
// that gives it all its weight.
Test NoncentralDesign::alpha_for_power(const Values& v, const Layout& at, double effect, double target) const
{
    Test t;
    t.h0 = null_law(at);
    const double nc = noncentrality(v, at, effect);
    if (!(nc <= largest()))
        throw Refusal{u"The noncentrality " + shift + u" would lie beyond " + run::short_number(largest(), u'.') +
                      u", the largest the program computes: the level that gives this power there lies below any "
                      u"a double holds."};
    t.noncentrality = nc;
    t.h1 = t.h0.at(nc);
    double c = t.h1.upper_quantile(target);
    const int sides = tails(v);
    if (sides == 2) {
        if (!(c > 0)) throw Refusal{u"No level below 1 reaches that power with two tails."};
        const auto gap = [&](double x) {
            return target - (t.h1.tails(x).upper.value + t.h1.tails(-x).lower.value);
        };
        const double far = t.h1.tails(-c).lower.value;
        double high = target > far ? t.h1.upper_quantile(target - far) : c;
        for (int k = 0; k < 60 && gap(high) < 0; ++k) high = 2 * high + 1;
        if (gap(c) < 0) c = engine::root({gap, {}, true, false, c, high, c, INFINITY, 4e-16});
    }
    t.alpha = sides * t.h0.tails(c).upper.value;
    if (!(t.alpha > 0 && t.alpha < 1)) throw Refusal{u"No level strictly between 0 and 1 reaches that power."};
    t.above = c;
    if (sides == 2) t.below = -c;
    evaluate(t);
    return t;
}

// The effect of a result and its interval, all three from noncentralities
// of the same inversion: the ends where the typed statistic is the law's
// lower and upper quantile at the interval's level, the estimate where it is
// its median (median-unbiased), which therefore lies between them. The t's
// interval is two-sided at 1 - alpha; F's and chi-square's at 1 - 2 alpha,
// as their one-sided tests have it.
Observed NoncentralDesign::observed(const Values& v, double alpha, char16_t separator) const
{
    Observed o;
    const auto x_at = v.find("observed");
    if (x_at == v.end()) return o;
    o.typed = true;
    const double x = x_at->second;
    const auto typed = v.find(observed_degrees);
    if (typed == v.end()) return o;  // the reader has said why
    const Layout at = observed_layout(v, typed->second);
    const engine::Law h0 = null_law(at);
    o.heading = statistic + u"(" + degrees_words(at, separator) + u") = " + run::short_number(x, separator);
    const double each_side = is_t(family) ? alpha / 2 : alpha;
    if (!(each_side < 0.5))
        throw Refusal{u"The interval at 1 \u2212 2\u03B1 needs \u03B1 below 0" + Text(1, separator) + u"5."};
    if (!is_t(family) && x < 0) throw Refusal{u"OBSERVED " + statistic + u" must not be negative."};
    o.level = 1 - 2 * each_side;
    // A lower end no noncentrality reaches lies at none at all (the value is
    // at or below what no effect gives with that tail); the upper end beyond
    // the domain is at least its end.
    const engine::Noncentrality low = h0.noncentrality_for(x, each_side);
    const engine::Noncentrality middle = h0.noncentrality_for(x, 0.5);
    const engine::Noncentrality high = h0.noncentrality_for(x, 1 - each_side);
    for (const Scale& s : scales)
        o.effects.push_back({s.name, s.of(middle.value, at), s.of(low.value, at), s.of(high.value, at),
                             low.bound, high.bound});
    return o;
}

Text NoncentralDesign::degrees_words(const Layout& at, char16_t separator) const
{
    Text t = run::short_number(at.df1, separator);
    if (family == engine::Family::f) t += (separator == u',' ? u"; " : u", ") + run::short_number(at.df2, separator);
    return t;
}

Text NoncentralDesign::law_words(const Test& t, const Layout& at, char16_t separator) const
{
    const Text nu1 = run::short_number(at.df1, separator);
    Text out = statistic + u" with " + nu1;
    if (family == engine::Family::f) out += u" and " + run::short_number(at.df2, separator) + u" degrees of freedom";
    else out += at.df1 == 1 ? u" degree of freedom" : u" degrees of freedom";
    out += u", noncentrality " + platform::significant(t.noncentrality, 4, true, separator);
    if (t.beyond)
        out += u", H1 drawn at " + run::short_number(t.h1.noncentrality(), separator) + u", the largest the program computes";
    return out;
}

}  // namespace power
