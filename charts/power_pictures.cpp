#include "charts/power_pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "charts/chart.h"
#include "charts/sampled.h"
#include "platform/number_text.h"
#include "power/words.h"
#include "run/exact_text.h"

namespace charts {

namespace {

using power::PowerAnswer;

// Before an answer, or where a question had none: what to do, written in it.
Drawing empty(double width, double height)
{
    Drawing d = framed(width, height);
    d.words = u"No answer to show: ask one of the four questions.";
    d.text({width / 2, height / 2 - type::label_line / 2}, d.words, Align::center, colours::frame, type::label);
    return d;
}

// A key to the areas at the top right: a swatch and its name each.
void key(Drawing& d)
{
    const double x = d.width - margin::key, y = margin::title_top + 4;
    d.polygon({{x, y}, {x + 10, y}, {x + 10, y + 8}, {x, y + 8}}, colours::alpha_area);
    d.text({x + 14, y - 3}, u"\u03B1", Align::left, colours::curve, type::label);
    d.polygon({{x + 40, y}, {x + 50, y}, {x + 50, y + 8}, {x + 40, y + 8}}, colours::power_area);
    d.text({x + 54, y - 3}, u"power", Align::left, colours::curve, type::label);
}

}  // namespace

Drawing distributions_picture(const PowerAnswer& a, char16_t separator, double width, double height)
{
    if (!a.answered) return empty(width, height);
    try {
        const engine::Law& h0 = a.test.h0;
        const engine::Law& h1 = a.test.h1;
        // Where H0 is rejected: at or below `below`, at or above `above`.
        const double below = a.test.below, above = a.test.above;
        const bool discrete = h0.discrete();
        Drawing d = framed(width, height);
        const Text heading = u"Power " + power::power_text(a.test, separator) + u" at N = " + platform::whole(a.layout.n);
        const double critical_row = title(d, heading, width - margin::key - margin::edge) + 2;
        key(d);
        const double top = critical_row + type::label_line + 4, bottom = height - margin::below_axis;

        // Both laws' bulk and the rejection's bounds, a twentieth of the
        // span beyond them, within the laws' support: a heavy tail (t at two
        // degrees) would otherwise squeeze both curves into a corner.
        constexpr double outside = 0.005;
        const auto lower = [&](const engine::Law& l) { return or_nan([&] { return l.lower_quantile(outside); }); };
        const auto upper = [&](const engine::Law& l) { return or_nan([&] { return l.upper_quantile(outside); }); };
        const engine::Support support = h0.support();
        double lo = std::fmin(lower(h0), lower(h1)), hi = std::fmax(upper(h0), upper(h1));
        if (!std::isfinite(lo)) lo = support.lo;
        for (double bound : {below, above})
            if (std::isfinite(bound)) lo = std::fmin(lo, bound), hi = std::fmax(hi, bound);
        const double spread = std::isfinite(hi - lo) && hi > lo ? hi - lo : 1;
        lo = std::fmax(lo - spread / 20, support.lo);
        hi = std::fmin(hi + spread / 20, support.hi);
        if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo)) return d;
        const Ticks t = ticks(lo, hi, width, separator, false, discrete);
        lo = std::fmax(t.lo, support.lo), hi = std::fmin(t.hi, support.hi);
        const auto x = [&](double v) { return x_of(t, v); };

        // The densities on a grid of a point every two pixels, with the
        // rejection's bounds and each law's median among them, exactly: a
        // law far narrower than the grid shows at its median. A discrete
        // law's probabilities at its counts, a step each, or at a count a
        // point where they are too many to draw apart.
        std::vector<double> xs, exact;
        const int n = std::max(int((t.right - t.left) / 2), 50);
        for (int k = 0; k <= n; ++k) xs.push_back(lo + (hi - lo) * k / n);
        for (double v : {below, above, or_nan([&] { return h0.upper_quantile(0.5); }),
                         or_nan([&] { return h1.upper_quantile(0.5); })})
            if (v > lo && v < hi) xs.push_back(v), exact.push_back(v);
        std::sort(xs.begin(), xs.end());
        const bool steps = discrete && hi - lo <= n;
        std::vector<double> ld0, ld1;
        if (discrete) {
            if (steps) {
                xs.clear();
                for (double k = std::ceil(lo); k <= hi; ++k) xs.push_back(k);
            } else {
                for (double& v : xs) v = std::round(v);
                xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
            }
            for (double k : xs) {
                ld0.push_back(or_nan([&] { return h0.log_density(k); }));
                ld1.push_back(or_nan([&] { return h1.log_density(k); }));
            }
        } else {
            ld0 = sampled_log_densities(h0, xs, exact);
            ld1 = sampled_log_densities(h1, xs, exact);
        }
        // Both scaled together; a density without bound at 0 is scaled by
        // the rest and cut at the top.
        const bool unbounded = ld0.front() == INFINITY || ld1.front() == INFINITY;
        double reference = -INFINITY;
        for (size_t k = 0; k < xs.size(); ++k)
            for (double ld : {ld0[k], ld1[k]})
                if (std::isfinite(ld) && (!unbounded || xs[k] >= lo + 0.04 * (hi - lo))) reference = std::fmax(reference, ld);
        if (reference == -INFINITY) return d;
        const auto y = [&](double ld) { return curve_y(ld, reference, top, bottom); };
        // A count's step spans half a count either side of it.
        const double half = steps ? 0.5 : 0;
        const auto outline = [&](const std::vector<double>& ld, double from, double to) {
            std::vector<Point> points;
            for (size_t k = 0; k < xs.size(); ++k) {
                if (xs[k] < from || xs[k] > to) continue;
                if (steps) points.push_back({x(xs[k] - half), y(ld[k])});
                points.push_back({x(xs[k] + half), y(ld[k])});
            }
            return points;
        };
        const auto area = [&](const std::vector<double>& ld, double from, double to) {
            std::vector<Point> corners = outline(ld, from, to);
            if (corners.empty()) return corners;
            corners.insert(corners.begin(), {corners.front().x, bottom});
            corners.push_back({corners.back().x, bottom});
            return corners;
        };

        // The power under H1 in the rejection region, then alpha under H0 over it.
        for (const auto& [ld, colour] : {std::pair{&ld1, colours::power_area}, std::pair{&ld0, colours::alpha_area}}) {
            if (above < hi) d.polygon(area(*ld, std::fmax(above, lo), hi), colour);
            if (below > lo) d.polygon(area(*ld, lo, std::fmin(below, hi)), colour);
        }
        d.line(outline(ld0, lo, hi), colours::h0, 1.5);
        d.line(outline(ld1, lo, hi), colours::h1, 1.5);
        // A count's bound lies between it and the next that is not rejected.
        for (const auto& [v, side] : {std::pair{below, half}, std::pair{above, -half}})
            if (v >= lo && v <= hi) d.line({{x(v + side), bottom}, {x(v + side), top - 3}}, colours::critical, 1.5, true);

        // The names of the curves over their peaks, and of the rejection's bounds.
        const auto peak = [&](const std::vector<double>& ld) {
            size_t best = 0;
            for (size_t k = 1; k < ld.size(); ++k)
                if (std::isfinite(ld[k]) && (!std::isfinite(ld[best]) || ld[k] > ld[best])) best = k;
            return best;
        };
        // Each name over its peak, below the critical values' row; where the
        // peaks nearly meet, H1's beside H0's.
        const size_t p0 = peak(ld0), p1 = peak(ld1);
        const double y0 = std::fmax(y(ld0[p0]) - 14, top), name = platform::text_width(u"H0", type::label) + 6;
        double x1 = x(xs[p1]), y1 = std::fmax(y(ld1[p1]) - 14, top);
        if (std::fabs(y1 - y0) < type::label_line && std::fabs(x1 - x(xs[p0])) < name)
            x1 = x(xs[p0]) + (x(xs[p0]) + 2 * name < width ? name : -name), y1 = y0;
        label(d, x(xs[p0]), y0, u"H0", colours::h0, margin::label, width - margin::label, true);
        label(d, x1, y1, u"H1", colours::h1, margin::label, width - margin::label, true);
        const Text critical_text = power::critical_words(a, 4, separator);
        const Text starred = a.design->statistic + u"*" + critical_text.substr(a.design->statistic.size());
        label(d, x(std::clamp(std::isnan(above) ? below : above, lo, hi)), critical_row, starred, colours::critical,
              margin::label, width - margin::label);
        axis(d, t, bottom);

        d.words = heading + u": the H1 " + (discrete ? u"probabilities" : u"density") + u" where " + starred +
                  u" shaded (the power), and under the H0 " + (discrete ? u"probabilities" : u"density") + u" \u03B1 = " +
                  platform::significant(std::isnan(a.test.attained) ? a.test.alpha : a.test.attained, 4, false, separator) +
                  u" there; " + a.design->law_words(a.test, a.layout, separator) + u".";
        return d;
    } catch (...) {
        return empty(width, height);
    }
}

Drawing power_curve_picture(const PowerAnswer& a, char16_t separator, double width, double height)
{
    const power::Curve& c = a.curve;
    if (!a.answered || c.points.size() < 2) return empty(width, height);
    try {
        Drawing d = framed(width, height);
        const Text heading = u"Power against total N";
        const double top = title(d, heading) + type::label_line, bottom = height - margin::below_axis;

        // The N axis right of the power's labels; the power's from 0 to 1.
        const Ticks t = ticks(double(c.first), double(c.last), width, separator, false, true, margin::value_axis,
                              width - 16);
        const auto x = [&](double n) { return x_of(t, n); };
        const auto y = [&](double p) { return bottom - p * (bottom - top); };
        for (int k = 0; k <= 5; ++k) {
            const double p = k / 5.0;
            d.line({{t.left, y(p)}, {t.right, y(p)}}, k == 0 ? colours::axis : colours::frame, k == 0 ? 1 : 0.5);
            d.text({t.left - 4, y(p) - 6}, platform::significant(p, 1, false, separator), Align::right, colours::axis,
                   type::label);
        }
        draw_ticks(d, t, x, bottom, t.left, t.right, colours::axis);

        // The exact powers joined by the monotone cubic through them (the
        // power rises with N), drawn a point every three pixels; a discrete
        // test's saw as its points are, one an N where they fit.
        std::vector<double> ns, ps;
        for (const power::PowerPoint& p : c.points) ns.push_back(double(p.n)), ps.push_back(p.power);
        std::vector<Point> curve;
        if (c.saw) {
            for (size_t k = 0; k < ns.size(); ++k) curve.push_back({x(ns[k]), y(std::clamp(ps[k], 0.0, 1.0))});
        } else {
            const int drawn = std::max(2, int((t.right - t.left) / 3));
            for (int k = 0; k <= drawn; ++k) {
                const double n = ns.front() + (ns.back() - ns.front()) * k / drawn;
                curve.push_back({x(n), y(std::clamp(monotone_cubic(ns, ps, n), 0.0, 1.0))});
            }
        }
        d.line(curve, colours::curve, 1.5);

        // The answer: a dashed line down to its N and a mark at its power,
        // its words right of the mark, or left of it near the right edge.
        const Text power = power::power_text(a.test, separator);
        const double ax = x(double(a.layout.n)), ay = y(a.test.power);
        d.line({{ax, bottom}, {ax, ay}}, colours::answer, 1, true);
        d.polygon({{ax - 4, ay}, {ax, ay - 4}, {ax + 4, ay}, {ax, ay + 4}}, colours::answer);
        const Text mark = u"N = " + platform::whole(a.layout.n) + u", power " + power;
        const double wide = platform::text_width(mark, type::label);
        if (ax + 8 + wide <= width - margin::label)
            d.text({ax + 8, std::fmin(ay + 6, bottom - 16)}, mark, Align::left, colours::answer, type::label, true);
        else
            d.text({std::fmax(ax - 8, wide + margin::label), std::fmax(ay - 18, top - 14)}, mark, Align::right,
                   colours::answer, type::label, true);

        d.words = heading + u" from " + platform::whole(c.first) + u" to " + platform::whole(c.last) + u": " + power +
                  u" at N = " + platform::whole(a.layout.n) + u" marked; " +
                  (c.n99 == 0 ? u"no N up to " + platform::whole(power::largest_n) + u" reaches power 0" +
                                    Text(1, separator) + u"99"
                              : u"power 0" + Text(1, separator) + u"99 from N = " + platform::whole(c.n99)) +
                  u".";
        return d;
    } catch (...) {
        return empty(width, height);
    }
}

}  // namespace charts
