#include "run/power_plot.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "engine/noncentral_chi_square_density.h"
#include "engine/noncentral_chi_square_quantile.h"
#include "engine/noncentral_f_density.h"
#include "engine/noncentral_f_quantile.h"
#include "engine/noncentral_t_density.h"
#include "engine/noncentral_t_quantile.h"
#include "platform/number_text.h"
#include "run/axis.h"
#include "run/exact_text.h"

namespace run {

namespace {

using platform::Align;
using platform::Drawing;
using platform::Point;
namespace colour = power_colours;

// Where the parts stand, in pixels from the top: the title's row, the
// labels' row, the curves' room, and the axis' labels below it.
struct Layout {
    double width, height;
    double top = 40, bottom;
    explicit Layout(double w, double h) : width(w), height(h), bottom(h - 28) {}
};

double attempt(const std::function<double()>& call)
{
    try {
        return call();
    } catch (...) {
        return NAN;
    }
}

bool is_t(Design d) { return d == Design::t_one_sample || d == Design::t_two_groups; }
bool is_f(Design d) { return d == Design::anova || d == Design::regression; }

// The statistic's law under H0 (noncentrality 0) and under H1.
struct Law {
    const Study& s;
    double nc;
    double log_density(double x) const
    {
        return attempt([&] {
            if (is_t(s.design)) return engine::noncentral_t_log_density(x, s.df1, nc);
            if (is_f(s.design)) return engine::noncentral_f_log_density(x, s.df1, s.df2, nc);
            return engine::noncentral_chi_square_log_density(x, s.df1, nc);
        });
    }
    double upper(double level) const
    {
        return attempt([&] {
            if (is_t(s.design)) return engine::noncentral_t_upper_quantile(level, s.df1, nc);
            if (is_f(s.design)) return engine::noncentral_f_upper_quantile(level, s.df1, s.df2, nc);
            return engine::noncentral_chi_square_upper_quantile(level, s.df1, nc);
        });
    }
};

void frame(Drawing& d) { draw_frame(d, colour::frame); }

// A picture before any answer, or after a question that had none.
Drawing empty(double width, double height)
{
    Drawing d;
    d.width = width;
    d.height = height;
    frame(d);
    d.words = u"No answer to show: ask one of the four questions.";
    return d;
}

Text power_words(const Study& s, char16_t separator)
{
    const Text six = power_text(s, separator);
    if (six.find(u'\u2212') != Text::npos) return six;
    return platform::significant(s.power, 4, true, separator);
}

Text critical_words(const Study& s, char16_t separator)
{
    const DesignInfo& d = describe(s.design);
    return d.statistic + u"* = " + (is_t(s.design) && s.tails == 2 ? u"\u00B1" : u"") +
           platform::significant(s.critical, 4, true, separator);
}

// A text kept inside the picture, centred over x where it can be.
void label(Drawing& d, double x, double y, const Text& text, platform::Colour c, bool bold = false)
{
    const double half = platform::text_width(text, 8) / 2;
    d.text({std::clamp(x, half + 3, std::fmax(d.width - half - 3, half + 3)), y}, text, Align::center, c, 8, bold);
}

// Points of the power curve computed exactly.
constexpr int exact_points = 30;

// Fritsch and Carlson's monotone cubic through the points (x rising): the
// slopes at the points are limited so that the curve never overshoots them.
double monotone_cubic(const std::vector<double>& xs, const std::vector<double>& ys, double x)
{
    const size_t n = xs.size();
    size_t k = std::upper_bound(xs.begin(), xs.end(), x) - xs.begin();
    k = std::clamp<size_t>(k, 1, n - 1) - 1;
    const auto secant = [&](size_t i) { return (ys[i + 1] - ys[i]) / (xs[i + 1] - xs[i]); };
    const auto slope = [&](size_t i) {
        if (i == 0) return secant(0);
        if (i == n - 1) return secant(n - 2);
        const double a = secant(i - 1), b = secant(i);
        return a * b <= 0 ? 0.0 : 2 / (1 / a + 1 / b);  // the harmonic mean keeps it monotone
    };
    const double h = xs[k + 1] - xs[k], u = (x - xs[k]) / h;
    const double h00 = (1 + 2 * u) * (1 - u) * (1 - u), h10 = u * (1 - u) * (1 - u), h01 = u * u * (3 - 2 * u),
                 h11 = u * u * (u - 1);
    return h00 * ys[k] + h10 * h * slope(k) + h01 * ys[k + 1] + h11 * h * slope(k + 1);
}

// A law's log-density along the grid xs (rising): exactly at every third
// point, at the points `exact` names, and at every point where the curve
// can be seen (within e^30 of its highest value so far) and bends (by more
// than half a unit of its logarithm from one exact point to the next);
// elsewhere by the monotone cubic through the exact values, and beyond the
// law's 1e-12 quantiles not at all. At a noncentrality of 10^5 each exact
// value costs some hundred microseconds.
std::vector<double> log_densities(const Law& law, const std::vector<double>& xs, const std::vector<double>& exact)
{
    constexpr size_t stride = 3;
    constexpr double seen = 30, bend = 0.5, floor_below = 200, beyond_sight = 1e-12;
    const size_t n = xs.size();
    // A grid step's margin: the density at the support's end (F at 0) is drawn.
    const double margin = (xs.back() - xs.front()) / double(n);
    const double from = law.upper(1 - beyond_sight) - margin, to = law.upper(beyond_sight) + margin;
    std::vector<double> ld(n, NAN);
    std::vector<bool> done(n, false);
    const auto at = [&](size_t k) {
        if (done[k]) return;
        ld[k] = xs[k] < from || xs[k] > to ? -INFINITY : law.log_density(xs[k]);
        done[k] = true;
    };
    for (size_t k = 0; k < n; k += stride) at(k);
    at(n - 1);
    for (double v : exact) at(std::min<size_t>(std::lower_bound(xs.begin(), xs.end(), v) - xs.begin(), n - 1));
    double top = -INFINITY;
    for (size_t k = 0; k < n; ++k)
        if (done[k] && std::isfinite(ld[k])) top = std::fmax(top, ld[k]);
    for (size_t a = 0, b = 0; a + 1 < n; a = b) {
        b = a + 1;
        while (b + 1 < n && !done[b]) ++b;
        const bool in_sight = !(ld[a] < top - seen) || !(ld[b] < top - seen);
        if (in_sight && !(std::fabs(ld[b] - ld[a]) <= bend))
            for (size_t k = a + 1; k < b; ++k) at(k);
    }
    std::vector<double> kx, ky;
    for (size_t k = 0; k < n; ++k)
        if (done[k] && !std::isnan(ld[k]) && ld[k] != INFINITY) kx.push_back(xs[k]), ky.push_back(std::fmax(ld[k], top - floor_below));
    for (size_t k = 0; k < n; ++k)
        if (!done[k]) ld[k] = kx.size() >= 2 ? monotone_cubic(kx, ky, xs[k]) : law.log_density(xs[k]);
    return ld;
}

}  // namespace

Drawing distributions_picture(const PowerAnswer& a, char16_t separator, double width, double height)
{
    if (!a.answered) return empty(width, height);
    try {
        const Study& s = a.study;
        const Law h0{s, 0}, h1{s, s.noncentrality};
        Drawing d = empty(width, height);
        Layout l(width, height);
        const bool two = is_t(s.design) && s.tails == 2;

        // Both laws' bulk and the critical values: a heavy tail (t at two
        // degrees) would otherwise squeeze both curves into a corner.
        constexpr double outside = 0.005;
        double lo = is_t(s.design) ? std::fmin(h0.upper(1 - outside), h1.upper(1 - outside)) : 0;
        double hi = std::fmax(std::fmax(h0.upper(outside), h1.upper(outside)), 1.1 * s.critical);
        if (two) lo = std::fmin(lo, -1.1 * s.critical);
        if (!std::isfinite(lo)) lo = is_t(s.design) ? -1.5 * s.critical : 0;
        if (!std::isfinite(hi) || !(hi > lo)) hi = lo + 2 * std::fabs(s.critical) + 1;
        const Ticks t = ticks(lo, hi, width, separator, false);
        lo = t.lo, hi = t.hi;
        const double left = t.left, right = t.right;
        const auto x = [&](double v) { return left + (v - lo) / (hi - lo) * (right - left); };

        // The densities on a grid of a point every two pixels, the critical values
        // among them, scaled together; a density without bound at 0 is
        // scaled by the rest and cut at the top.
        std::vector<double> xs;
        const int n = std::max(int((right - left) / 2), 50);
        for (int k = 0; k <= n; ++k) xs.push_back(lo + (hi - lo) * k / n);
        // The critical values and each law's median among them, computed
        // exactly: a law far narrower than the grid shows at its median.
        std::vector<double> exact;
        for (double v : {s.critical, -s.critical, h0.upper(0.5), h1.upper(0.5)})
            if (v > lo && v < hi) xs.push_back(v), exact.push_back(v);
        std::sort(xs.begin(), xs.end());
        const std::vector<double> ld0 = log_densities(h0, xs, exact), ld1 = log_densities(h1, xs, exact);
        const bool unbounded = ld0.front() == INFINITY || ld1.front() == INFINITY;
        double reference = -INFINITY;
        for (size_t k = 0; k < xs.size(); ++k)
            for (double ld : {ld0[k], ld1[k]})
                if (std::isfinite(ld) && (!unbounded || xs[k] >= lo + 0.04 * (hi - lo))) reference = std::fmax(reference, ld);
        if (reference == -INFINITY) return d;
        const double room = l.bottom - l.top;
        const auto y = [&](double ld) {
            const double h = std::isnan(ld) ? 0 : 0.85 * room * std::exp(std::fmin(ld - reference, 10.0));
            return l.bottom - std::fmin(h, room);
        };
        const auto area = [&](const std::vector<double>& ld, double from, double to) {
            std::vector<Point> corners{{x(from), l.bottom}};
            for (size_t k = 0; k < xs.size(); ++k)
                if (xs[k] >= from && xs[k] <= to) corners.push_back({x(xs[k]), y(ld[k])});
            corners.push_back({x(to), l.bottom});
            return corners;
        };
        const auto curve = [&](const std::vector<double>& ld) {
            std::vector<Point> points;
            for (size_t k = 0; k < xs.size(); ++k) points.push_back({x(xs[k]), y(ld[k])});
            return points;
        };

        // The power under H1 beyond the critical values, then alpha under H0 over it.
        const double c = s.critical;
        if (c < hi) d.polygon(area(ld1, std::fmax(c, lo), hi), colour::power_area);
        if (two && -c > lo) d.polygon(area(ld1, lo, -c), colour::power_area);
        if (c < hi) d.polygon(area(ld0, std::fmax(c, lo), hi), colour::alpha_area);
        if (two && -c > lo) d.polygon(area(ld0, lo, -c), colour::alpha_area);
        d.line(curve(ld0), colour::h0, 1.5);
        d.line(curve(ld1), colour::h1, 1.5);
        for (double v : two ? std::vector<double>{c, -c} : std::vector<double>{c})
            if (v >= lo && v <= hi) d.line({{x(v), l.bottom}, {x(v), l.top - 3}}, colour::critical, 1.5, true);

        // The names of the curves over their peaks, and of the areas.
        const auto peak = [&](const std::vector<double>& ld) {
            size_t best = 0;
            for (size_t k = 1; k < ld.size(); ++k)
                if (std::isfinite(ld[k]) && (!std::isfinite(ld[best]) || ld[k] > ld[best])) best = k;
            return best;
        };
        const size_t p0 = peak(ld0), p1 = peak(ld1);
        label(d, x(xs[p0]), std::fmax(y(ld0[p0]) - 14, l.top - 14), u"H0", colour::h0, true);
        label(d, x(xs[p1]), std::fmax(y(ld1[p1]) - 14, l.top - 14), u"H1", colour::h1, true);
        label(d, x(std::fmin(c, hi)), 22, critical_words(s, separator), colour::critical);

        // The axis.
        d.line({{left, l.bottom}, {right, l.bottom}}, colour::axis);
        draw_ticks(d, t, x, l.bottom, left, right, colour::axis);

        // The title, and a key to the areas.
        const Text title = u"Power " + power_words(s, separator) + u" at N = " + platform::whole(s.n);
        d.text({10, 4}, title, Align::left, colour::h0, 9, true);
        d.polygon({{width - 120, 8}, {width - 110, 8}, {width - 110, 16}, {width - 120, 16}}, colour::alpha_area);
        d.text({width - 106, 5}, u"\u03B1", Align::left, colour::h0, 8);
        d.polygon({{width - 80, 8}, {width - 70, 8}, {width - 70, 16}, {width - 80, 16}}, colour::power_area);
        d.text({width - 66, 5}, u"power", Align::left, colour::h0, 8);

        d.words = title + u": the H1 density beyond " + critical_words(s, separator) + u" shaded (the power), and " +
                  u"under the H0 density \u03B1 = " + platform::significant(s.alpha, 4, false, separator) + u" beyond " +
                  (two ? u"them" : u"it") + u"; " + describe(s.design).statistic + u" with " +
                  (is_f(s.design) ? short_number(s.df1, separator) + u" and " + short_number(s.df2, separator) +
                                        u" degrees of freedom"
                                  : short_number(s.df1, separator) + (s.df1 == 1 ? u" degree of freedom" : u" degrees of freedom")) +
                  u", noncentrality " + platform::significant(s.noncentrality, 4, true, separator) +
                  u".";
        return d;
    } catch (...) {
        return empty(width, height);
    }
}

Drawing power_curve_picture(const PowerAnswer& a, char16_t separator, double width, double height)
{
    if (!a.answered) return empty(width, height);
    try {
        const Study& s = a.study;
        Drawing d = empty(width, height);
        Layout l(width, height);
        const long long first = smallest_n(s);
        const long long n99 = n_for_power(s, 0.99);
        const long long last = std::max({n99 == 0 ? 1'000'000'000LL : n99, s.n, first + 1});

        // The power at some thirty whole N of the design, each exact, joined
        // by the monotone cubic through them (the power rises with N), drawn
        // a point every three pixels.
        const double left = 40, right = width - 16;
        const Ticks t = ticks(double(first), double(last), width, separator, false, true);
        const double lo = t.lo, hi = t.hi;
        const auto x = [&](double n) { return left + (n - lo) / (hi - lo) * (right - left); };
        const auto y = [&](double p) { return l.bottom - p * (l.bottom - l.top); };
        std::vector<double> ns, ps;
        for (int k = 0; k <= exact_points; ++k) {
            const double at = double(first) + (double(last) - double(first)) * k / exact_points;
            const PowerPoint p = power_at(s, std::llround(at));
            if ((!ns.empty() && double(p.n) <= ns.back()) || !std::isfinite(p.power)) continue;
            ns.push_back(double(p.n));
            ps.push_back(p.power);
        }
        std::vector<Point> curve;
        const int drawn = std::max(2, int((right - left) / 3));
        for (int k = 0; k <= drawn && ns.size() >= 2; ++k) {
            const double n = ns.front() + (ns.back() - ns.front()) * k / drawn;
            curve.push_back({x(n), y(std::clamp(monotone_cubic(ns, ps, n), 0.0, 1.0))});
        }
        // The power's axis: 0 to 1 by fifths, with a light line at each.
        for (int k = 0; k <= 5; ++k) {
            const double p = k / 5.0;
            d.line({{left, y(p)}, {right, y(p)}}, k == 0 ? colour::axis : colour::frame, k == 0 ? 1 : 0.5);
            d.text({left - 4, y(p) - 6}, platform::significant(p, 1, false, separator), Align::right, colour::axis, 8);
        }
        draw_ticks(d, t, x, l.bottom, left, right, colour::axis);
        d.line(curve, colour::curve, 1.5);

        // The answer: a dashed line down to its N and a mark at its power.
        const double ax = x(double(s.n)), ay = y(s.power);
        d.line({{ax, l.bottom}, {ax, ay}}, colour::answer, 1, true);
        d.polygon({{ax - 4, ay}, {ax, ay - 4}, {ax + 4, ay}, {ax, ay + 4}}, colour::answer);
        // Its words below and right of the mark, clear of the rising curve,
        // or above and left of it near the right edge.
        const Text mark = u"N = " + platform::whole(s.n) + u", power " + power_words(s, separator);
        const double wide = platform::text_width(mark, 8);
        const bool room = ax + 8 + wide <= width - 3;
        if (room) d.text({ax + 8, std::fmin(ay + 6, l.bottom - 16)}, mark, Align::left, colour::answer, 8, true);
        else d.text({std::fmax(ax - 8, wide + 3), std::fmax(ay - 18, l.top - 14)}, mark, Align::right, colour::answer, 8, true);

        const Text title = u"Power against total N";
        d.text({10, 4}, title, Align::left, colour::h0, 9, true);
        d.words = title + u" from " + platform::whole(first) + u" to " + platform::whole(last) + u": " +
                  power_words(s, separator) + u" at N = " + platform::whole(s.n) + u" marked; " +
                  (n99 == 0 ? Text(u"no N up to 1000000000 reaches power 0.99")
                            : u"power 0.99 from N = " + platform::whole(n99)) +
                  u".";
        return d;
    } catch (...) {
        return empty(width, height);
    }
}

}  // namespace run
