#include "power/words.h"

#include <cfloat>
#include <cmath>

#include "platform/number_text.h"
#include "run/exact_text.h"

namespace power {

namespace {

Text six(double value, char16_t separator) { return platform::significant(value, 6, true, separator); }

// An effect and its interval as a paper gives them: two decimals, or two
// significant digits below 0.1 ("d = 0.99, 95 % CI [0.03, 1.92]").
Text two(double value, char16_t separator)
{
    if (std::fabs(value) < 0.1 && value != 0) return platform::significant(value, 2, false, separator);
    return platform::fixed(value, 2, separator);
}

// An effect as typed, as a paper gives it: two decimals, or the digits it
// was typed with where it has more (p2 = 0.501, never 0.50), at most six.
Text typed_effect(double value, char16_t separator)
{
    const Text shortest = run::short_number(value, separator);
    const size_t point = shortest.find(separator);
    if (point == Text::npos || shortest.find(u'e') != Text::npos || shortest.size() - point - 1 <= 2)
        return two(value, separator);
    return platform::shortest_digits(value) <= 6 ? shortest : six(value, separator);
}

// "95 %"
Text percent(double level, char16_t separator)
{
    return run::short_number(std::round(level * 1e6) / 1e4, separator) + u" %";
}

// A level or a power as a paper writes it: two decimals at least, and where
// the separator is a point without the leading zero (".05", ".80"); where it
// is a comma the zero stays, or "0,05" would read as a list ("α = ,05").
Text apa_level(double value, char16_t separator)
{
    Text t = run::short_number(value, separator);
    const size_t point = t.find(separator);
    if (point != Text::npos && t.find(u'e') == Text::npos)
        while (t.size() - point - 1 < 2) t += u'0';
    if (separator == u'.' && t.size() > 1 && t[0] == u'0' && t[1] == separator) t.erase(0, 1);
    return t;
}

Text line(const Text& name, const Text& value)
{
    Text padded = name;
    while (padded.size() < 15) padded += u' ';
    return padded + value + u"\n";
}

// A power to a paper's four digits, unless those would round it to 1: then
// as the answer writes it, to six or by its distance from 1.
Text paper_power(const Test& t, char16_t separator)
{
    const Text four = platform::significant(t.power, 4, true, separator);
    return four == u"1" + Text(1, separator) + u"000" ? power_text(t, separator) : four;
}

Text effect_words(const Estimate& e, double level, char16_t separator)
{
    const Text low = !e.low_is_bound ? two(e.low, separator) : e.low == 0 ? Text(u"0") : u"\u2264 " + two(e.low, separator);
    const Text high = e.high_is_bound ? u"\u2265 " + two(e.high, separator) : two(e.high, separator);
    return e.name + u" = " + two(e.estimate, separator) + u", " + percent(level, separator) + u" CI [" + low + u", " +
           high + u"]";
}

// "observed t(38) = 2.45: d = 0.77, 95 % CI [0.13, 1.41]", a line an effect.
Text observed_words(const Observed& o, const Text& between, char16_t separator)
{
    Text out = o.heading + u":";
    for (size_t k = 0; k < o.effects.size(); ++k)
        out += (k ? between : u" ") + effect_words(o.effects[k], o.level, separator);
    return out;
}

Text groups_words(const PowerAnswer& a)
{
    const auto& g = a.layout.groups;
    if (g.size() == 1) return u" (" + platform::whole(g[0].second) + u" per group)";
    if (g.size() == 2 && g[0].second == g[1].second) return u" (" + platform::whole(g[0].second) + u" per group)";
    if (g.size() == 2)
        return u" (n1 = " + platform::whole(g[0].second) + u", n2 = " + platform::whole(g[1].second) + u")";
    return {};
}

}  // namespace

Text power_text(const Test& t, char16_t separator)
{
    const Text text = six(t.power, separator);
    Text distance;
    if (!t.beyond && text != u"1" + Text(1, separator) + u"00000") return text;
    if (t.beta >= DBL_MIN) {
        distance = platform::significant(t.beta, 2, false, separator);
    } else {
        // Below the doubles, from its logarithm: 10^(log10 beta) in two digits.
        const double log10_beta = t.beta_log / std::log(10.0);
        double exponent = std::floor(log10_beta), mantissa = std::pow(10.0, log10_beta - exponent);
        if (std::round(mantissa * 10) >= 100) mantissa /= 10, exponent += 1;
        distance = platform::fixed(mantissa, 1, separator) + u"e-" + platform::whole(static_cast<long long>(-exponent));
    }
    return Text(t.beyond ? u"> " : u"") + u"1 \u2212 " + distance;
}

Text critical_words(const PowerAnswer& a, int digits, char16_t separator)
{
    const Test& t = a.test;
    const Text& s = a.design->statistic;
    // A count is written whole; a value to the digits asked.
    const auto value = [&](double v) {
        return a.test.h0.discrete() ? platform::whole(static_cast<long long>(v))
                                    : platform::significant(v, digits, true, separator);
    };
    if (!std::isnan(t.below) && !std::isnan(t.above)) {
        if (t.below == -t.above) return s + u" = \u00B1" + value(t.above);
        return s + u" \u2264 " + value(t.below) + u" or \u2265 " + value(t.above);
    }
    if (!std::isnan(t.below)) return s + u" \u2264 " + value(t.below);
    return (a.test.h0.discrete() ? s + u" \u2265 " : s + u" = ") + value(t.above);
}

Text answer_lines(const PowerAnswer& a, char16_t separator)
{
    if (!a.answered) return a.why;
    const Design& d = *a.design;
    Text n_lines = line(u"total N", platform::whole(a.layout.n));
    // A discrete test's power saws: where it dips below the target again
    // after the first N, the N from which it no longer does.
    if (a.n_every > a.layout.n) n_lines += line(u"every N from", platform::whole(a.n_every));
    for (const auto& [name, size] : a.layout.groups) n_lines += line(name, platform::whole(size));
    const Text power = line(u"power", power_text(a.test, separator));
    const Text effect = line(u"effect " + d.effect, six(a.effect, separator));
    const Text alpha = line(u"\u03B1", six(a.test.alpha, separator));
    Text out;
    switch (a.question) {
    case Find::power: out = power + n_lines + effect + alpha; break;
    case Find::n: out = n_lines + power + effect + alpha; break;
    case Find::effect: out = effect + power + n_lines + alpha; break;
    case Find::alpha: out = alpha + power + n_lines + effect; break;
    }
    if (!std::isnan(a.test.attained)) out += line(u"actual \u03B1", six(a.test.attained, separator));
    if (!d.shift.empty()) out += line(u"noncentrality", d.shift + u" = " + six(a.test.noncentrality, separator));
    out += line(u"critical", critical_words(a, 6, separator));
    const Text degrees = d.degrees_words(a.layout, separator);
    if (!degrees.empty()) out += line(u"df", degrees);
    out.pop_back();
    return out;
}

Text result_lines(const PowerAnswer& a, char16_t separator)
{
    Text out;
    for (const Text& note : a.notes) out += note + u"\n";
    for (const Text& note : a.observed.notes) out += note + u"\n";
    if (!a.observed.why.empty()) out += a.observed.why + u"\n";
    else if (!a.observed.effects.empty()) out += u"observed " + observed_words(a.observed, u";\n  ", separator) + u"\n";
    if (!out.empty()) out.pop_back();
    return out;
}

Text paragraph(const PowerAnswer& a, char16_t separator)
{
    Text p;
    if (a.answered) {
        const Design& d = *a.design;
        const Test& t = a.test;
        const Text test = d.test_words(a.values, separator);
        const Text effect = d.effect + u" = " + typed_effect(a.effect, separator);
        const Text alpha = u"\u03B1 = " + apa_level(t.alpha, separator);
        const Text target = u"power = " + apa_level(a.target, separator);
        Text n = u"N = " + platform::whole(a.layout.n) + groups_words(a);
        if (a.n_every > a.layout.n)
            n += u", and every N from " + platform::whole(a.n_every) + u" on (the exact test's power saws)";
        // A paper's digits: the power to four, the noncentrality to three,
        // the critical value to four; the window's answer holds six. The
        // degrees go after the statistic: "critical t(126) = ±1.979".
        const Text degrees = d.degrees_words(a.layout, separator);
        const Text critical = critical_words(a, 4, separator);
        Text tail = d.shift.empty() ? Text()
                                    : d.shift + u" = " + platform::significant(t.noncentrality, 3, true, separator) + u"; ";
        tail += u"critical " + (degrees.empty() ? critical
                                                : d.statistic + u"(" + degrees + u")" + critical.substr(d.statistic.size())) +
                u".";
        const Text power = paper_power(t, separator);
        switch (a.question) {
        case Find::n:
            p = u"A priori power analysis: " + test + u", " + effect + u", " + alpha + u", " + target + u". " + n +
                u"; actual power " + power + u"; " + tail;
            break;
        case Find::power:
            p = u"Post hoc power analysis: " + test + u", " + effect + u", " + alpha + u", " + n + u": power " +
                (power.rfind(u">", 0) == 0 ? Text() : u"= ") + power + u"; " + tail;
            break;
        case Find::effect:
            p = u"Sensitivity analysis: " + test + u", " + alpha + u", " + target + u", " + n +
                u": the smallest effect detected is " + d.effect + u" = " + six(a.effect, separator) + u"; " + tail;
            break;
        case Find::alpha:
            p = u"Criterion analysis: " + test + u", " + effect + u", " + target + u", " + n + u": \u03B1 = " +
                six(t.alpha, separator) + u"; " + tail;
            break;
        }
        for (const Text& note : a.notes) p += u" " + note;
    }
    for (const Text& note : a.observed.notes) p += (p.empty() ? u"" : u" ") + note;
    if (a.observed.why.empty() && !a.observed.effects.empty()) {
        p += (p.empty() ? u"" : u" ") + Text(u"Observed ") + observed_words(a.observed, u"; ", separator) + u".";
    }
    return p;
}

}  // namespace power
