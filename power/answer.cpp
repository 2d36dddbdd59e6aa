#include "run/power.h"

#include <cfloat>
#include <cmath>
#include <exception>
#include <functional>

#include "engine/chi_square_quantile.h"
#include "engine/chi_square_tails.h"
#include "engine/domain.h"
#include "engine/f_quantile.h"
#include "engine/f_tails.h"
#include "engine/noncentral_chi_square_noncentrality.h"
#include "engine/noncentral_chi_square_quantile.h"
#include "engine/noncentral_chi_square_tails.h"
#include "engine/noncentral_f_noncentrality.h"
#include "engine/noncentral_f_quantile.h"
#include "engine/noncentral_f_tails.h"
#include "engine/noncentral_limits.h"
#include "engine/noncentral_t_noncentrality.h"
#include "engine/noncentral_t_quantile.h"
#include "engine/noncentral_t_tails.h"
#include "engine/t_quantile.h"
#include "engine/t_tails.h"
#include "platform/number_text.h"
#include "run/exact_text.h"

namespace run {

namespace {

constexpr long long largest_n = 1'000'000'000;

// Made at first use, as other tables made before main may ask for them.
const DesignInfo* designs()
{
    static const DesignInfo all[] = {
        {Design::t_one_sample, u"t 1 sample", u"t TEST, ONE SAMPLE", u"d", u"t",
         u"t test for one sample (or paired differences)", true, false, false, false, false, u"0.5"},
        {Design::t_two_groups, u"t 2 groups", u"t TEST, TWO GROUPS", u"d", u"t",
         u"t test for two independent groups", true, true, false, false, false, u"0.5"},
        {Design::anova, u"ANOVA", u"ONE-WAY ANOVA", u"f", u"F", u"one-way ANOVA", false, false, true, false, false,
         u"0.25"},
        {Design::regression, u"Regression", u"REGRESSION, R\u00B2 AGAINST 0", u"f\u00B2", u"F",
         u"F test of R\u00B2 in a multiple regression", false, false, false, true, false, u"0.15"},
        {Design::chi_square, u"Chi-square", u"CHI-SQUARE TEST", u"w", u"\u03C7\u00B2", u"chi-square test", false,
         false, false, false, true, u"0.3"},
    };
    return all;
}

// A question that cannot be answered, in the words the answer shows.
struct Refusal {
    Text why;
};

bool is_t(Design d) { return d == Design::t_one_sample || d == Design::t_two_groups; }
bool is_f(Design d) { return d == Design::anova || d == Design::regression; }

// ---- reading the boxes -----------------------------------------------------

class Reader {
public:
    explicit Reader(const DesignInfo& d) : d_(d) {}

    double number(const Text& text, const Text& box) const
    {
        const platform::Reading r = platform::read_number(text, true);
        if (r.too_large) throw Refusal{box + u" is too large for a number the program holds."};
        if (!r.number) throw Refusal{box + u" holds no number."};
        return r.value;
    }
    double between_0_and_1(const Text& text, const Text& box) const
    {
        const double v = number(text, box);
        if (!(v > 0 && v < 1)) throw Refusal{box + u" must be between 0 and 1."};
        return v;
    }
    long long whole(const Text& text, const Text& box, long long least, long long most) const
    {
        const double v = number(text, box);
        if (v != std::floor(v)) throw Refusal{box + u" must be a whole number."};
        if (v < double(least)) throw Refusal{box + u" must be at least " + platform::whole(least) + u"."};
        if (v > double(most)) throw Refusal{box + u" must be at most " + platform::whole(most) + u"."};
        return static_cast<long long>(v);
    }
    Text effect_box() const { return u"EFFECT SIZE " + d_.effect; }

private:
    const DesignInfo& d_;
};

// ---- a design at a total N -------------------------------------------------

// The test's degrees and the groups at a total N; none where N is too small.
bool lay_out(Study& s, long long n)
{
    s.n = n;
    s.n1 = s.n2 = s.per_group = 0;
    switch (s.design) {
    case Design::t_one_sample:
        s.df1 = double(n - 1);
        return n >= 2;
    case Design::t_two_groups:
        // Given a total, the first group is the whole part of N/(1 + ratio), so
        // that a total found as n1 + ceil(ratio n1) gives that n1 back.
        s.n1 = static_cast<long long>(std::floor(double(n) / (1 + s.ratio)));
        s.n2 = n - s.n1;
        s.df1 = double(n - 2);
        return s.n1 >= 1 && s.n2 >= 1 && n >= 3;
    case Design::anova:
        s.df1 = double(s.groups - 1);
        s.df2 = double(n - s.groups);
        if (n % s.groups == 0) s.per_group = n / s.groups;
        return n >= s.groups + 1;
    case Design::regression:
        s.df1 = double(s.predictors);
        s.df2 = double(n - s.predictors - 1);
        return n >= s.predictors + 2;
    case Design::chi_square:
        s.df1 = s.degrees;
        return n >= 1;
    }
    return false;
}

// What the effect gives as noncentrality at the study's N, and back:
// delta = d sqrt(m) with m = N or n1 n2 / N; lambda = f² N, w² N, or f² N
// from the regression's box, which holds f² itself.
double scale(const Study& s)
{
    if (s.design == Design::t_one_sample) return std::sqrt(double(s.n));
    if (s.design == Design::t_two_groups) return std::sqrt(double(s.n1) * double(s.n2) / double(s.n));
    return double(s.n);
}
double noncentrality_of(const Study& s, double effect)
{
    if (is_t(s.design)) return effect * scale(s);
    if (s.design == Design::regression) return effect * scale(s);
    return effect * effect * scale(s);
}
double effect_of(const Study& s, double noncentrality)
{
    if (is_t(s.design) || s.design == Design::regression) return noncentrality / scale(s);
    return std::sqrt(noncentrality / scale(s));
}

double largest_noncentrality(const Study& s) { return is_t(s.design) ? engine::largest_delta : engine::largest_lambda; }

// The critical value at the level: the t beyond which each tail of the test
// is alpha/tails, or the F or chi-square beyond which the upper tail is alpha.
double critical_at(const Study& s, double alpha)
{
    if (is_t(s.design)) return engine::t_upper_quantile(alpha / s.tails, s.df1);
    if (is_f(s.design)) return engine::f_upper_quantile(alpha, s.df1, s.df2);
    return engine::chi_square_upper_quantile(alpha, s.df1);
}

// The power and its complement at the study's noncentrality and critical
// value, each as itself. Two tails count both rejection regions.
void evaluate(Study& s)
{
    const double c = s.critical, nc = s.noncentrality;
    if (is_t(s.design)) {
        const engine::Tails above = engine::noncentral_t_tails(c, s.df1, nc);
        s.power = above.upper.value;
        s.beta = above.lower.value;
        s.beta_log = above.lower.log;
        if (s.tails == 2) {
            // beta = P(T' < c) - P(T' < -c), the second far the smaller.
            const engine::Tails below = engine::noncentral_t_tails(-c, s.df1, nc);
            s.power += below.lower.value;
            s.beta -= below.lower.value;
            s.beta_log += std::log1p(-std::exp(below.lower.log - above.lower.log));
        }
        return;
    }
    const engine::Tails t = is_f(s.design) ? engine::noncentral_f_tails(c, s.df1, s.df2, nc)
                                           : engine::noncentral_chi_square_tails(c, s.df1, nc);
    s.power = t.upper.value;
    s.beta = t.lower.value;
    s.beta_log = t.lower.log;
}

// The design at a total N, refused where N is too small for it.
void lay_out_or_refuse(Study& s, long long n)
{
    if (!lay_out(s, n))
        throw Refusal{u"TOTAL N is too small for this design: it needs at least " + platform::whole(smallest_n(s)) + u"."};
}

// The study at a total N with its effect and level: every quantity but the
// ones asked for anew.
void study_at(Study& s, long long n)
{
    lay_out_or_refuse(s, n);
    s.noncentrality = noncentrality_of(s, s.effect);
    if (!(s.noncentrality <= largest_noncentrality(s)))
        throw Refusal{Text(is_t(s.design) ? u"\u03B4" : u"\u03BB") + u" would be beyond " +
                      platform::whole(static_cast<long long>(largest_noncentrality(s))) +
                      u", the largest noncentrality the program computes; the power there is 1 to "
                      u"many more digits than a double holds."};
    s.critical = critical_at(s, s.alpha);
    evaluate(s);
}

// The design's N from its step m: m itself, or n1 + ceil(ratio n1), or k
// groups of m.
long long n_of_step(const Study& s, long long m)
{
    if (s.design == Design::t_two_groups) return m + static_cast<long long>(std::ceil(s.ratio * double(m)));
    if (s.design == Design::anova) return s.groups * m;
    return m;
}

long long smallest_step(const Study& s)
{
    switch (s.design) {
    case Design::t_one_sample: return 2;
    case Design::t_two_groups: return n_of_step(s, 1) >= 3 ? 1 : 2;
    case Design::anova: return 2;
    case Design::regression: return s.predictors + 2;
    case Design::chi_square: return 1;
    }
    return 1;
}

// A root of a function that rises through 0 between lo and hi (f(lo) < 0 <=
// f(hi)), by the Illinois method, which keeps the bracket and converges
// superlinearly; to a relative 4e-16 of x.
double root(const std::function<double(double)>& f, double lo, double hi)
{
    double f_lo = f(lo), f_hi = f(hi);
    int side = 0;
    for (int k = 0; k < 200 && hi - lo > 4e-16 * std::fmax(std::fabs(lo), std::fabs(hi)); ++k) {
        double x = (lo * f_hi - hi * f_lo) / (f_hi - f_lo);
        if (!(x > lo && x < hi)) x = (lo + hi) / 2;
        const double fx = f(x);
        if (fx < 0) {
            lo = x, f_lo = fx;
            if (side == -1) f_hi /= 2;
            side = -1;
        } else {
            hi = x, f_hi = fx;
            if (side == 1) f_lo /= 2;
            side = 1;
        }
    }
    return (lo + hi) / 2;
}

// ---- the four questions ----------------------------------------------------

void find_n(Study& s, double target)
{
    const long long n = n_for_power(s, target);
    if (n == 0)
        throw Refusal{u"No N up to " + platform::whole(largest_n) + u" reaches that power; the effect is too small "
                                                                   u"to detect at that level."};
    study_at(s, n);
}

// The noncentrality at which the power is the target, at the study's N and
// critical value: the tail's own inversion for one tail, and for two the
// root between the ones that ignore the far tail (it adds at most alpha/2).
double noncentrality_for_power(Study& s, double target)
{
    const double c = s.critical;
    const auto reached = [&](const engine::Noncentrality& nc) {
        if (nc.bound) throw Refusal{u"No effect up to the largest noncentrality the program computes reaches that power."};
        return nc.value;
    };
    if (is_f(s.design)) return reached(engine::f_noncentrality(c, s.df1, s.df2, target));
    if (s.design == Design::chi_square) return reached(engine::chi_square_noncentrality(c, s.df1, target));
    const double high = reached(engine::t_noncentrality(c, s.df1, target));
    if (s.tails == 1) return high;
    const double low = reached(engine::t_noncentrality(c, s.df1, target - s.alpha / 2));
    if (!(high > low)) return high;
    return root(
        [&](double delta) {
            return (engine::noncentral_t_tails(c, s.df1, delta).upper.value +
                    engine::noncentral_t_tails(-c, s.df1, delta).lower.value) -
                   target;
        },
        low, high);
}

void find_effect(Study& s, double target)
{
    lay_out_or_refuse(s, s.n);
    s.critical = critical_at(s, s.alpha);
    s.noncentrality = noncentrality_for_power(s, target);
    s.effect = effect_of(s, s.noncentrality);
    evaluate(s);
}

// The level at which the power is the target: the critical value is the
// point beyond which the noncentral law has that tail, the level the central
// tail there; for two tails the critical value is a root, between the one
// that ignores the far tail and the one that gives it all its weight.
void find_alpha(Study& s, double target)
{
    lay_out_or_refuse(s, s.n);
    s.noncentrality = noncentrality_of(s, s.effect);
    if (!(s.noncentrality <= largest_noncentrality(s)))
        throw Refusal{u"The noncentrality would be beyond the largest the program computes."};
    const double nc = s.noncentrality;
    double c;
    if (is_f(s.design)) {
        c = engine::noncentral_f_upper_quantile(target, s.df1, s.df2, nc);
        s.alpha = engine::f_tails(c, s.df1, s.df2).upper.value;
    } else if (s.design == Design::chi_square) {
        c = engine::noncentral_chi_square_upper_quantile(target, s.df1, nc);
        s.alpha = engine::chi_square_tails(c, s.df1).upper.value;
    } else {
        c = engine::noncentral_t_upper_quantile(target, s.df1, nc);
        if (s.tails == 2) {
            const auto gap = [&](double t) {
                return target - (engine::noncentral_t_tails(t, s.df1, nc).upper.value +
                                 engine::noncentral_t_tails(-t, s.df1, nc).lower.value);
            };
            if (!(c > 0)) throw Refusal{u"No level below 1 reaches that power with two tails."};
            const double far = engine::noncentral_t_tails(-c, s.df1, nc).lower.value;
            double high = target > far ? engine::noncentral_t_upper_quantile(target - far, s.df1, nc) : c;
            for (int k = 0; k < 60 && gap(high) < 0; ++k) high = 2 * high + 1;
            if (gap(c) < 0) c = root(gap, c, high);
        }
        s.alpha = s.tails * engine::t_tails(c, s.df1).upper.value;
    }
    if (!(s.alpha > 0 && s.alpha < 1)) throw Refusal{u"No level strictly between 0 and 1 reaches that power."};
    s.critical = c;
    evaluate(s);
}

// ---- the effect of a result ------------------------------------------------

std::vector<EffectEstimate> effects_of(const Study& s, double observed)
{
    std::vector<EffectEstimate> out;
    if (is_t(s.design)) {
        const double m = scale(s);
        const engine::Noncentrality low = engine::t_noncentrality(observed, s.df1, s.alpha / 2);
        const engine::Noncentrality high = engine::t_noncentrality(observed, s.df1, 1 - s.alpha / 2);
        out.push_back({u"d", observed / m, low.value / m, high.value / m, false, 1 - s.alpha});
        return out;
    }
    if (!(observed >= 0)) throw Refusal{u"OBSERVED " + describe(s.design).statistic + u" must not be negative."};
    const auto lambda = [&](double p) {
        return is_f(s.design) ? engine::f_noncentrality(observed, s.df1, s.df2, p)
                              : engine::chi_square_noncentrality(observed, s.df1, p);
    };
    const engine::Noncentrality low = lambda(s.alpha), high = lambda(1 - s.alpha);
    const double n = double(s.n);
    // An end no lambda reaches is 0: the observed value lies at or below
    // what no effect at all gives with that tail.
    const double l_low = low.bound && low.value == 0 ? 0 : low.value, l_high = high.bound && high.value == 0 ? 0 : high.value;
    const bool low_bound = low.bound && low.value == 0;
    const double level = 1 - 2 * s.alpha;
    if (is_f(s.design)) {
        const double f2 = observed * s.df1 / s.df2;
        // The ANOVA's own effect first, as its box names it.
        if (s.design == Design::anova)
            out.push_back({u"f", std::sqrt(f2), std::sqrt(l_low / n), std::sqrt(l_high / n), low_bound, level});
        out.push_back({u"f\u00B2", f2, l_low / n, l_high / n, low_bound, level});
        out.push_back({u"partial \u03B7\u00B2", f2 / (1 + f2), l_low / (l_low + n), l_high / (l_high + n), low_bound,
                       level});
        return out;
    }
    out.push_back({u"w", std::sqrt(observed / n), std::sqrt(l_low / n), std::sqrt(l_high / n), low_bound, level});
    return out;
}

// ---- the answer's words ----------------------------------------------------

Text six(double value, char16_t separator) { return platform::significant(value, 6, true, separator); }

// An effect and its interval as a paper gives them: two decimals, or two
// significant digits below 0.1 ("d = 0.99, 95 % CI [0.03, 1.92]").
Text two(double value, char16_t separator)
{
    if (std::fabs(value) < 0.1 && value != 0) return platform::significant(value, 2, false, separator);
    return platform::fixed(value, 2, separator);
}

// "2, 156" (or "2; 156" where the decimal separator is a comma).
Text degrees_text(const Study& s, char16_t separator)
{
    Text t = short_number(s.df1, separator);
    if (is_f(s.design)) t += (separator == u',' ? u"; " : u", ") + short_number(s.df2, separator);
    return t;
}

Text critical_text(const Study& s, char16_t separator)
{
    const DesignInfo& d = describe(s.design);
    return d.statistic + u" = " + (is_t(s.design) && s.tails == 2 ? u"\u00B1" : u"") + six(s.critical, separator);
}

Text noncentrality_text(const Study& s, char16_t separator)
{
    return Text(is_t(s.design) ? u"\u03B4" : u"\u03BB") + u" = " + six(s.noncentrality, separator);
}

Text line(const Text& name, const Text& value)
{
    Text padded = name;
    while (padded.size() < 15) padded += u' ';
    return padded + value + u"\n";
}

Text lines_of(const PowerAnswer& a, char16_t separator)
{
    const Study& s = a.study;
    const DesignInfo& d = describe(s.design);
    Text n_lines = line(u"total N", platform::whole(s.n));
    if (s.design == Design::t_two_groups)
        n_lines += line(u"n1", platform::whole(s.n1)) + line(u"n2", platform::whole(s.n2));
    if (s.design == Design::anova && s.per_group > 0) n_lines += line(u"per group", platform::whole(s.per_group));
    const Text power = line(u"power", power_text(s, separator));
    const Text effect = line(u"effect " + d.effect, six(s.effect, separator));
    const Text alpha = line(u"\u03B1", six(s.alpha, separator));
    Text out;
    switch (a.question) {
    case Find::power: out = power + n_lines + effect + alpha; break;
    case Find::n: out = n_lines + power + effect + alpha; break;
    case Find::effect: out = effect + power + n_lines + alpha; break;
    case Find::alpha: out = alpha + power + n_lines + effect; break;
    }
    out += line(u"noncentrality", noncentrality_text(s, separator));
    out += line(u"critical", critical_text(s, separator));
    out += line(u"df", degrees_text(s, separator));
    out.pop_back();
    return out;
}

// "95 %"
Text percent(double level, char16_t separator) { return short_number(std::round(level * 1e6) / 1e4, separator) + u" %"; }

Text result_lines_of(const PowerAnswer& a, char16_t separator)
{
    const Study& s = a.study;
    const DesignInfo& d = describe(s.design);
    Text out = u"observed " + d.statistic + u"(" + degrees_text(s, separator) + u") = " +
               short_number(a.observed, separator) + u":";
    for (size_t k = 0; k < a.effects.size(); ++k) {
        const EffectEstimate& e = a.effects[k];
        out += (k ? u";\n  " : u" ") + e.name + u" = " + two(e.estimate, separator) + u", " + percent(e.level, separator) +
               u" CI [" + (e.low_is_bound ? Text(u"0") : two(e.low, separator)) + u", " + two(e.high, separator) + u"]";
    }
    return out;
}

// A level or a power as a paper writes it, two decimals at least and no
// leading zero: ".05", ".80", ".001".
Text apa_level(double value, char16_t separator)
{
    Text t = short_number(value, separator);
    const size_t point = t.find(separator);
    if (point != Text::npos && t.find(u'e') == Text::npos)
        while (t.size() - point - 1 < 2) t += u'0';
    if (t.size() > 1 && t[0] == u'0' && t[1] == separator) t.erase(0, 1);
    return t;
}

Text paragraph_of(const PowerAnswer& a, double target, char16_t separator)
{
    const Study& s = a.study;
    const DesignInfo& d = describe(s.design);
    Text test = d.test;
    if (is_t(s.design)) test = Text(s.tails == 2 ? u"two-tailed " : u"one-tailed ") + test;
    if (s.design == Design::anova) test += u" with " + platform::whole(s.groups) + u" groups";
    if (s.design == Design::regression)
        test += u" with " + platform::whole(s.predictors) + (s.predictors == 1 ? u" predictor" : u" predictors");
    if (s.design == Design::chi_square)
        test += u" with " + short_number(s.degrees, separator) + (s.degrees == 1 ? u" degree of freedom" : u" degrees of freedom");
    const Text effect = d.effect + u" = " + two(s.effect, separator);
    const Text alpha = u"\u03B1 = " + apa_level(s.alpha, separator);
    Text groups;
    if (s.design == Design::t_two_groups)
        groups = s.n1 == s.n2 ? u" (" + platform::whole(s.n1) + u" per group)"
                              : u" (n1 = " + platform::whole(s.n1) + u", n2 = " + platform::whole(s.n2) + u")";
    if (s.design == Design::anova && s.per_group > 0) groups = u" (" + platform::whole(s.per_group) + u" per group)";
    const Text n = u"N = " + platform::whole(s.n) + groups;
    // A paper's digits: the power to four, the noncentrality to three, the
    // critical value to four; the window's answer holds six.
    const Text tail = Text(is_t(s.design) ? u"\u03B4" : u"\u03BB") + u" = " +
                      platform::significant(s.noncentrality, 3, true, separator) + u"; critical " + d.statistic +
                      u"(" + degrees_text(s, separator) + u") = " +
                      (is_t(s.design) && s.tails == 2 ? u"\u00B1" : u"") +
                      platform::significant(s.critical, 4, true, separator) + u".";
    const Text six_digits = power_text(s, separator);
    const Text power = six_digits.find(u'\u2212') != Text::npos ? six_digits
                                                               : platform::significant(s.power, 4, true, separator);
    Text p;
    switch (a.question) {
    case Find::n:
        p = u"A priori power analysis: " + test + u", " + effect + u", " + alpha + u", power = " +
            apa_level(target, separator) + u". " + n + u"; actual power " + power + u"; " + tail;
        break;
    case Find::power:
        p = u"Post hoc power analysis: " + test + u", " + effect + u", " + alpha + u", " + n + u": power = " + power +
            u"; " + tail;
        break;
    case Find::effect:
        p = u"Sensitivity analysis: " + test + u", " + alpha + u", power = " + apa_level(target, separator) + u", " + n +
            u": the smallest effect detected is " + d.effect + u" = " + six(s.effect, separator) + u"; " + tail;
        break;
    case Find::alpha:
        p = u"Criterion analysis: " + test + u", " + effect + u", power = " + apa_level(target, separator) + u", " + n +
            u": \u03B1 = " + six(s.alpha, separator) + u"; " + tail;
        break;
    }
    if (a.has_observed) {
        p += u" Observed " + d.statistic + u"(" + degrees_text(s, separator) + u") = " + short_number(a.observed, separator) +
             u":";
        for (size_t k = 0; k < a.effects.size(); ++k) {
            const EffectEstimate& e = a.effects[k];
            p += (k ? u"; " : u" ") + e.name + u" = " + two(e.estimate, separator) + u", " + percent(e.level, separator) +
                 u" CI [" + (e.low_is_bound ? Text(u"0") : two(e.low, separator)) + u", " + two(e.high, separator) + u"]";
        }
        p += u".";
    }
    return p;
}

}  // namespace

const DesignInfo& describe(Design design) { return designs()[static_cast<int>(design)]; }

Text power_text(const Study& s, char16_t separator)
{
    const Text text = six(s.power, separator);
    if (text != u"1" + Text(1, separator) + u"00000") return text;
    if (s.beta >= DBL_MIN) return u"1 \u2212 " + platform::significant(s.beta, 2, false, separator);
    // Below the doubles, from its logarithm: 10^(log10 beta) in two digits.
    const double log10_beta = s.beta_log / std::log(10.0);
    double exponent = std::floor(log10_beta), mantissa = std::pow(10.0, log10_beta - exponent);
    if (std::round(mantissa * 10) >= 100) mantissa /= 10, exponent += 1;
    return u"1 \u2212 " + platform::fixed(mantissa, 1, separator) + u"e-" +
           platform::whole(static_cast<long long>(-exponent));
}

long long smallest_n(const Study& study) { return n_of_step(study, smallest_step(study)); }

PowerPoint power_at(const Study& study, long long n)
{
    Study s = study;
    try {
        study_at(s, n);
        return {n, s.power};
    } catch (...) {
        return {n, NAN};
    }
}

// The power rises with N: double the step until it reaches the target (or N
// passes 10^9), then halve the bracket down to the smallest step that does.
long long n_for_power(const Study& study, double target)
{
    Study s = study;
    const auto reaches = [&](long long m) {
        study_at(s, n_of_step(s, m));
        return s.power >= target;
    };
    long long low = smallest_step(s), high = low;
    if (reaches(low)) return n_of_step(s, low);
    for (;;) {
        low = high;
        high = 2 * high;
        if (n_of_step(s, high) > largest_n) {
            // The largest step within the bound.
            long long most = high;
            while (most > low && n_of_step(s, most) > largest_n) most = low + (most - low) / 2;
            if (most <= low || !reaches(most)) return 0;
            high = most;
            break;
        }
        if (reaches(high)) break;
    }
    while (high - low > 1) {
        const long long mid = low + (high - low) / 2;
        (reaches(mid) ? high : low) = mid;
    }
    return n_of_step(s, high);
}

PowerAnswer answer(Design design, const PowerBoxes& boxes, Find question, char16_t separator)
{
    PowerAnswer a;
    a.question = question;
    const DesignInfo& d = describe(design);
    Study& s = a.study;
    s.design = design;
    try {
        const Reader read(d);
        // The design's own boxes first: every question needs them.
        if (d.tails) {
            const long long tails = read.whole(boxes.tails, u"TAILS", 1, 2);
            s.tails = int(tails);
        }
        if (d.ratio) {
            s.ratio = read.number(boxes.ratio, u"RATIO n2/n1");
            if (!(s.ratio > 0 && s.ratio <= 1e6)) throw Refusal{u"RATIO n2/n1 must be above 0 and at most 1000000."};
        }
        // Designs beyond these sizes are not studies one plans; bounded, every
        // answer stays within its time.
        if (d.groups) s.groups = read.whole(boxes.groups, u"GROUPS k", 2, 1000);
        if (d.predictors) s.predictors = read.whole(boxes.predictors, u"PREDICTORS p", 1, 1000);
        if (d.degrees) {
            s.degrees = read.number(boxes.degrees, u"DEGREES OF FREEDOM");
            if (!(s.degrees > 0 && s.degrees <= 10000))
                throw Refusal{u"DEGREES OF FREEDOM must be above 0 and at most 10000."};
        }

        double target = 0;
        if (question != Find::effect) {
            s.effect = read.number(boxes.effect, read.effect_box());
            if (s.effect < 0) throw Refusal{read.effect_box() + u" must not be negative."};
        }
        if (question != Find::alpha) s.alpha = read.between_0_and_1(boxes.alpha, u"\u03B1");
        if (question != Find::power) target = read.between_0_and_1(boxes.power, u"POWER");
        if (question != Find::n) s.n = read.whole(boxes.n, u"TOTAL N", 1, largest_n);

        if ((question == Find::n || question == Find::effect) && target <= s.alpha)
            throw Refusal{u"POWER must lie above \u03B1: with no effect at all a test rejects at the rate \u03B1."};
        if (question == Find::n && s.effect == 0)
            throw Refusal{u"An effect of 0 cannot be detected: its power stays at \u03B1 for every N."};
        if (question == Find::alpha && s.effect == 0)
            throw Refusal{u"With an effect of 0 the power is \u03B1 itself: the level that gives it is the power."};

        switch (question) {
        case Find::power: study_at(s, s.n); break;
        case Find::n: find_n(s, target); break;
        case Find::effect: find_effect(s, target); break;
        case Find::alpha: find_alpha(s, target); break;
        }

        // The effect of a typed statistic, at the answer's N and level; what
        // cannot be given says why there and spoils nothing else.
        const platform::Reading observed = platform::read_number(boxes.observed, true);
        if (observed.number && !observed.too_large) {
            try {
                a.effects = effects_of(s, observed.value);
                a.has_observed = true;
                a.observed = observed.value;
                a.result_lines = result_lines_of(a, separator);
            } catch (const Refusal& refusal) {
                a.result_lines = refusal.why;
            } catch (const std::exception&) {
                a.result_lines = u"The effect of the observed statistic cannot be computed for these numbers.";
            }
        }
        a.answered = true;
        a.lines = lines_of(a, separator);
        a.paragraph = paragraph_of(a, target, separator);
    } catch (const Refusal& refusal) {
        a.answered = false;
        a.why = refusal.why;
    } catch (const std::exception& error) {
        a.answered = false;
        a.why = u"The calculation cannot be done with these numbers: " + platform::from_utf8(error.what()) + u".";
    }
    return a;
}

}  // namespace run
