#include "charts/plot.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "engine/numeric/fault.h"
#include "platform/number_text.h"
#include "charts/chart.h"
#include "charts/sampled.h"
#include "run/critical_text.h"
#include "run/exact_text.h"

namespace charts {

namespace {

using run::CriticalValue;
using run::Distribution;
using run::Field;
using run::Question;
namespace colour = colours;

double attempt(const std::function<double()>& call) { return or_nan(call); }

struct Range {
    double lo = NAN, hi = NAN;
    bool normal = false;  // from the mean and standard deviation, all but normal
    bool valid() const { return std::isfinite(lo) && std::isfinite(hi) && hi > lo; }
};

// Where the mass lies. Where every degree is 1000 or more, the distribution
// is all but normal: its mean and 3.3 standard deviations either side (some
// of its quantiles cost thousands of passes there). Otherwise, a symmetric
// law: its central 99.9 %, but no wider than five upper quartiles, so that
// heavy tails (t with one degree) leave the peak readable; one on 0 and up:
// to its 99.9 % point, but no further than ten upper quartiles, from 0, or,
// where the mass lies well away from 0, from its 0.1 % point.
Range bulk(const Question& q, const std::function<double(double)>& upper)
{
    const Distribution& d = *q.distribution;
    const bool large = (d.degrees() < 1 || q.nu1 >= 1000) && (d.degrees() < 2 || q.nu2 >= 1000);
    const engine::Moments m = d.law(q.nu1, q.nu2).moments();
    if (large && std::isfinite(m.mean) && std::isfinite(m.sd)) return {m.mean - 3.3 * m.sd, m.mean + 3.3 * m.sd, true};

    if (!d.from_zero) {
        const double far = upper(0.0005);
        const double half = std::fmin(far, 5 * upper(0.25));
        return {-half, half};
    }
    const double far = upper(0.001), q75 = upper(0.25);
    const double hi = std::fmin(far, 10 * q75);
    const double lo = q75 > 0.6 * far ? upper(0.999) : 0;
    return {std::isfinite(lo) && lo > 0.25 * hi ? lo : 0, hi};
}

}  // namespace

// What no level changes is drawn once, as the run is shown; a level adds its
// critical values to a copy.
class Plot::Parts {
public:
    Parts(const Outcome& outcome, char16_t separator, double width, double height)
        : outcome_(outcome), q_(outcome_.question), d_(*outcome_.question.distribution), separator_(separator),
          law_(d_.law(q_.nu1, q_.nu2))
    {
        drawing_ = framed(width, height);
        left_ = margin::edge;
        right_ = width - margin::edge;
        bottom_ = height - margin::below_axis;
        // The title in as many lines as it needs; the rest lies below them.
        statistic_y_ = title(drawing_, title_words()) + 2;
        critical_y_ = statistic_y_ + type::label_line;
        top_ = critical_y_ + type::label_line + 2;
        choose_range();
        ticks_ = ticks(range_.lo, range_.hi, drawing_.width, separator_, !d_.from_zero);
        range_ = {ticks_.lo, ticks_.hi};
        left_ = ticks_.left;
        right_ = ticks_.right;
        curve();
        statistic();
        axis();
    }

    Drawing at(const Text& alpha_text) const
    {
        Drawing drawing = drawing_;
        const CriticalValue c = critical(drawing, run::alpha_of(alpha_text));
        drawing.words = words(alpha_text, c);
        return drawing;
    }

private:
    double x(double value) const { return left_ + (value - range_.lo) / (range_.hi - range_.lo) * (right_ - left_); }
    bool inside(double value) const { return value >= range_.lo && value <= range_.hi; }
    double middle() const { return (top_ + bottom_) / 2; }

    // The upper quantile at a level, each asked of the engine once. The
    // quantile falls as the level grows, so a level above one found below
    // the smallest double is below it too, and one under a level found
    // beyond the largest is beyond it: no search need show it again.
    double upper(double level) const
    {
        if (level >= underflow_from_) throw numeric::Fault(numeric::FaultKind::Underflow);
        if (level <= overflow_to_) throw numeric::Fault(numeric::FaultKind::Overflow);
        for (const auto& [at, value] : known_)
            if (at == level) return value;
        try {
            const double value = law_.upper_quantile(level);
            known_.push_back({level, value});
            return value;
        } catch (const numeric::Fault& fault) {
            if (fault.kind() == numeric::FaultKind::Underflow) underflow_from_ = std::fmin(underflow_from_, level);
            if (fault.kind() == numeric::FaultKind::Overflow) overflow_to_ = std::fmax(overflow_to_, level);
            throw;
        }
    }
    double upper_or_nan(double level) const
    {
        return attempt([&] { return upper(level); });
    }

    // The density's logarithm at x, -infinity where the engine cannot say.
    double log_density(double v) const
    {
        const double l = attempt([&] { return law_.log_density(v); });
        return std::isnan(l) ? -INFINITY : l;
    }

    // Heights over a range as the curve draws them: scaled by the highest
    // point, or where the density has no bound at 0, by the highest point
    // from 4 % of the range on, which is then cut at the top.
    struct Profile {
        std::vector<double> xs, lds;
        double reference = -INFINITY;
        double height(double ld, double room) const { return curve_rise(ld, reference, room); }
    };
    Profile profile(const Range& r, std::vector<double> xs) const
    {
        Profile p;
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
        p.xs = std::move(xs);
        for (double v : p.xs) p.lds.push_back(log_density(v));
        const bool unbounded = !p.lds.empty() && p.lds.front() == INFINITY;
        for (size_t k = 0; k < p.xs.size(); ++k)
            if (std::isfinite(p.lds[k]) && (!unbounded || p.xs[k] >= r.lo + 0.04 * (r.hi - r.lo)))
                p.reference = std::fmax(p.reference, p.lds[k]);
        return p;
    }
    static std::vector<double> grid(const Range& r, int n)
    {
        std::vector<double> xs;
        for (int k = 0; k <= n; ++k) xs.push_back(r.lo + (r.hi - r.lo) * k / n);
        return xs;
    }

    // A curve one can read: more than a spike, with a tenth of the axis at
    // least a twentieth of the plot's height.
    bool readable(const Range& r) const
    {
        constexpr int n = 90;
        const Profile p = profile(r, grid(r, n));
        if (p.reference == -INFINITY) return false;
        int tall = 0;
        for (double ld : p.lds) tall += ld > -INFINITY && p.height(ld, bottom_ - top_) >= 0.05 * (bottom_ - top_);
        return tall >= n / 10;
    }

    // Whether the density at v would show, a pixel high at least, on an axis
    // that holds both the range and v.
    bool shows(const Range& r, double v) const
    {
        const Range wide{std::fmin(r.lo, d_.from_zero ? 0.0 : -std::fabs(v)), std::fmax(r.hi, std::fabs(v))};
        const Profile p = profile(wide, grid(wide, 90));
        const double ld = log_density(v);
        return p.reference > -INFINITY && ld > -INFINITY && p.height(ld, bottom_ - top_) >= 1;
    }

    // Where a symmetric density falls to a hundredth of its peak: its visible
    // width, which at tiny degrees is a sliver of the quantiles' range (t with
    // 0.001 degrees: 3.2, where its quartiles lie beyond 1e300).
    double visible_half_width() const
    {
        const double peak = log_density(0);
        if (!std::isfinite(peak)) return NAN;
        const double target = peak - std::log(100.0);
        double lo = -300, hi = 300;  // in log10 of x
        for (int k = 0; k < 60; ++k) {
            const double mid = (lo + hi) / 2;
            (log_density(std::pow(10.0, mid)) > target ? lo : hi) = mid;
        }
        return std::pow(10.0, hi);
    }

    // The statistic and the critical values at 0.05 widen the bulk, unless
    // they lie so far out that it would shrink below a third of the axis; the
    // statistic then gets an arrow at the edge, unless its density would
    // still show there. A bulk whose curve is but a spike (t at tiny degrees,
    // its quantiles beyond the doubles) gives way to where the density shows.
    void choose_range()
    {
        range_ = bulk(q_, [this](double level) { return upper_or_nan(level); });
        const double s = q_.statistic;
        if (!range_.valid()) {
            const double m = std::isfinite(s) && s != 0 ? std::fmin(std::fabs(s) * 1.25, 1e300) : 1;
            range_ = d_.from_zero ? Range{0, m} : Range{-m, m};
        }
        if (!d_.from_zero && !readable(range_)) {
            const double w = visible_half_width();
            if (std::isfinite(w) && w > 0 && w < range_.hi) range_ = {-1.5 * w, 1.5 * w};
        }
        const double reach = 3 * (range_.hi - range_.lo);
        const auto take_in = [&](double v, bool* off_left, bool* off_right) {
            if (!std::isfinite(v)) return;
            const bool near = d_.from_zero ? (v > range_.hi ? v - range_.lo : range_.hi - v) <= reach
                                           : 2 * std::fabs(v) <= reach;
            const bool inside = d_.from_zero ? v >= range_.lo && v <= range_.hi : std::fabs(v) <= range_.hi;
            if (inside) return;
            // The statistic comes in wherever its density still shows.
            if (!near && !(off_left && shows(range_, v))) {
                const bool left = d_.from_zero ? v < range_.lo : v < 0;
                if (off_left && off_right) *(left ? off_left : off_right) = true;
                return;
            }
            if (!d_.from_zero) range_ = {-std::fabs(v), std::fabs(v)};
            else if (v > range_.hi) range_.hi = v;
            else range_.lo = v;
        };
        take_in(s, &statistic_left_, &statistic_right_);
        // 3.3 standard deviations hold the values at 0.05 of an all but normal law.
        if (!range_.normal) take_in(upper_or_nan(level(0.05)), nullptr, nullptr);
        // A margin, and no axis beyond what a double can span.
        if (!d_.from_zero) {
            const double half = std::fmin(range_.hi * 1.06, 1e307);
            range_ = {-half, half};
        } else {
            const double pad = 0.05 * (range_.hi - range_.lo);
            range_ = {range_.lo > 0 ? std::fmax(range_.lo - pad, 0.0) : range_.lo, std::fmin(range_.hi + pad, 1e307)};
        }
    }

    // The level at which the shaded tails' critical values lie.
    double level(double alpha) const { return Distribution::level(d_.fields[d_.p_field].area, alpha); }

    // "t(17) = 2.1: both tails p = 0.05096"
    Text title_words() const
    {
        if (d_.p_field >= outcome_.fields.size()) return outcome_.asked;
        const Field& p = outcome_.fields[d_.p_field];
        return outcome_.asked + u": " + p.name + u" " + run::p_equals(p.exact);
    }

    // The density on a grid of a point a pixel, with the statistic and
    // its mirror among them so that the shaded areas end exactly there.
    void curve()
    {
        std::vector<double> xs = grid(range_, std::max(int(right_ - left_), 50));
        for (double v : {q_.statistic, -q_.statistic, 0.0})
            if (inside(v)) xs.push_back(v);
        const Profile p = profile(range_, std::move(xs));
        if (p.reference == -INFINITY) return;

        const double room = bottom_ - top_;
        std::vector<Point> points;
        std::vector<bool> cut;
        for (size_t k = 0; k < p.xs.size(); ++k) {
            const double h = p.height(p.lds[k], room);
            cut.push_back(h > room);
            points.push_back({x(p.xs[k]), bottom_ - std::fmin(h, room)});
        }

        const auto area = [&](double from, double to) {
            std::vector<Point> corners{{x(from), bottom_}};
            for (size_t k = 0; k < p.xs.size(); ++k)
                if (p.xs[k] >= from && p.xs[k] <= to) corners.push_back(points[k]);
            corners.push_back({x(to), bottom_});
            return corners;
        };
        drawing_.polygon(area(range_.lo, range_.hi), colour::under_curve);
        // The area the p-value measures, where it lies on the axis.
        const double s = q_.statistic;
        if (d_.both_tails) {
            const double a = std::fabs(s);
            if (-a > range_.lo) drawing_.polygon(area(range_.lo, -a), colour::p_area);
            if (a < range_.hi) drawing_.polygon(area(std::fmax(a, range_.lo), range_.hi), colour::p_area);
        } else if (s < range_.hi) {
            drawing_.polygon(area(std::fmax(s, range_.lo), range_.hi), colour::p_area);
        }
        drawing_.line(points, colour::curve, 1.5);

        // Where the curve is cut, a mark above it pointing up.
        for (size_t k = 0; k < cut.size();) {
            if (!cut[k]) {
                ++k;
                continue;
            }
            size_t end = k;
            while (end < cut.size() && cut[end]) ++end;
            const double at = (points[k].x + points[end - 1].x) / 2;
            drawing_.polygon({{at - 4, top_ - 2}, {at + 4, top_ - 2}, {at, top_ - 9}}, colour::curve);
            clipped_ = true;
            k = end;
        }
    }

    // An arrow at an edge, pointing out to a value beyond it.
    void arrow(Drawing& drawing, bool right, double y, platform::Colour c, bool dashed) const
    {
        charts::arrow(drawing, right, right ? right_ : left_, y, c, dashed);
    }

    // A label centred over x, kept inside the plot.
    void label(Drawing& drawing, double at_x, double y, const Text& text, platform::Colour c, bool bold) const
    {
        charts::label(drawing, at_x, y, text, c, left_, right_, bold);
    }

    void statistic()
    {
        const double s = q_.statistic;
        const Text text = d_.symbol + u" = " + run::short_number(s, separator_);
        if (statistic_left_ || statistic_right_) {
            arrow(drawing_, statistic_right_, middle(), colour::statistic, false);
            drawing_.text({statistic_right_ ? right_ : left_, statistic_y_}, text,
                          statistic_right_ ? Align::right : Align::left, colour::statistic, 8, true);
            return;
        }
        drawing_.line({{x(s), bottom_}, {x(s), top_ - 3}}, colour::statistic, 2);
        label(drawing_, x(s), statistic_y_, text, colour::statistic, true);
    }

    // Dashed lines where the shaded tails reach alpha (0: no level), labelled
    // once; the value as the strip gives it.
    CriticalValue critical(Drawing& drawing, double alpha) const
    {
        if (alpha == 0) return {NAN, {}};
        const CriticalValue value = run::critical_value([&] { return upper(level(alpha)); }, separator_);
        const Text& bound = value.text;
        double c = value.value;
        // Beyond a double's range the value is its bound, on the line at 0
        // or past the right edge.
        const bool bounded = std::isnan(c);
        if (bounded) {
            if (bound[0] != u'>' && bound[0] != u'<') return value;
            c = bound[0] == u'>' ? INFINITY : 0;
        }
        const Text sign = d_.both_tails ? u"\u00B1" : u"";
        const Text text = d_.symbol + u"*" + (bounded ? u" " + pair(bound) : u" = " + sign + axis_number(std::fabs(c)));
        const double y = middle() + 16;
        const double outer = d_.both_tails ? std::fabs(c) : c;
        if (!(outer <= range_.hi)) {
            arrow(drawing, true, y, colour::critical, true);
            drawing.text({right_, critical_y_}, text, Align::right, colour::critical, 8, false);
            return value;
        }
        if (outer < range_.lo) {
            arrow(drawing, false, y, colour::critical, true);
            drawing.text({left_, critical_y_}, text, Align::left, colour::critical, 8, false);
            return value;
        }
        std::vector<double> at{outer};
        if (d_.both_tails && outer != 0) at.push_back(-outer);
        for (double v : at) drawing.line({{x(v), bottom_}, {x(v), top_ - 3}}, colour::critical, 1.5, true);
        label(drawing, x(outer), critical_y_, text, colour::critical, false);
        return value;
    }

    void axis() { charts::axis(drawing_, ticks_, bottom_); }

    // A value read against the axis: to a thousandth of its tick step, in
    // full up to 10^15 (1000073600, not 1e+09), in e-notation beyond.
    // A value far below the step keeps four significant digits (1.272e-06,
    // never 0.000).
    // A critical value as the strip writes it: both tails' a pair, a bound
    // beyond a double's range said of the pair ("beyond \u00B11.79769e+308").
    Text pair(const Text& value) const
    {
        if (!d_.both_tails || value.empty()) return value;
        if (value[0] == u'>') return u"beyond \u00B1" + value.substr(2);
        if (value[0] == u'<') return u"within \u00B1" + value.substr(2);
        return u"\u00B1" + value;
    }

    Text axis_number(double value) const
    {
        if (value == 0) return u"0";
        if (value >= 1e15 || !(ticks_.step > 0)) return platform::significant(value, 4, false, separator_);
        const int e_step = int(std::floor(std::log10(ticks_.step) + 1e-9));
        const int decimals = std::clamp(3 - e_step, 0, 12);
        if (platform::decimal_exponent(value, 4) - 3 < -decimals) return platform::significant(value, 4, false, separator_);
        return platform::fixed(value, decimals, separator_);
    }

    Text degrees() const
    {
        const Text nu1 = run::short_number(q_.nu1, separator_);
        if (d_.degrees() == 2) return nu1 + u" and " + run::short_number(q_.nu2, separator_) + u" degrees of freedom";
        return nu1 + (q_.nu1 == 1 ? u" degree of freedom" : u" degrees of freedom");
    }

    // In words, with the numbers as the strip gives them.
    Text words(const Text& alpha_text, const CriticalValue& critical) const
    {
        Text w = title_words() + u". " + d_.density_name + (d_.degrees() > 0 ? u", " + degrees() : Text()) + u". ";
        const double s = q_.statistic;
        w += d_.symbol + u" = " + run::short_number(s, separator_) + u" marked";
        if (statistic_left_ || statistic_right_)
            w += statistic_right_ ? u" beyond the right edge of the scale" : u" beyond the left edge of the scale";
        w += u". ";
        const Text p = d_.p_field < outcome_.fields.size() ? outcome_.fields[d_.p_field].exact : Text();
        if (d_.both_tails) w += u"Both tails beyond \u00B1" + run::short_number(std::fabs(s), separator_);
        else w += u"Upper tail beyond " + run::short_number(s, separator_);
        w += u" shaded: " + run::p_equals(p) + u".";
        const double alpha = run::alpha_of(alpha_text);
        if (alpha > 0) {
            Text typed = alpha_text;
            while (!typed.empty() && typed.back() == u' ') typed.pop_back();
            while (!typed.empty() && typed.front() == u' ') typed.erase(0, 1);
            w += d_.both_tails ? u" Critical values at \u03B1 = " : u" Critical value at \u03B1 = ";
            w += typed + u": " + pair(critical.text) + u".";
        }
        if (clipped_) w += u" The curve rises without bound at 0 and is cut off at the top.";
        const Text verdict = run::verdict_text(outcome_, alpha_text, separator_);
        if (!verdict.empty()) w += u" " + verdict + u".";
        return w;
    }

    const Outcome outcome_;
    const Question& q_;
    const Distribution& d_;
    char16_t separator_;
    const engine::Law law_;  // at the degrees as read
    Drawing drawing_;  // all that no level changes
    double left_, right_, top_, bottom_;
    double statistic_y_ = 0, critical_y_ = 0;  // the rows above the curve
    Range range_;
    Ticks ticks_;
    // Quantiles asked, kept for the levels typed later.
    mutable std::vector<std::pair<double, double>> known_;  // quantiles asked: level, value
    mutable double underflow_from_ = INFINITY, overflow_to_ = -INFINITY;
    bool statistic_left_ = false, statistic_right_ = false;
    bool clipped_ = false;
};

Plot::Plot() = default;
Plot::~Plot() = default;
Plot::Plot(Plot&&) noexcept = default;
Plot& Plot::operator=(Plot&&) noexcept = default;

Plot::Plot(const Outcome& outcome, char16_t separator, double width, double height) : width_(width), height_(height)
{
    if (outcome.kind != Outcome::Kind::result || !outcome.question.distribution) return;
    try {
        parts_ = std::make_unique<Parts>(outcome, separator, width, height);
    } catch (...) {
        // Out of memory at worst: an empty picture rather than none.
    }
}

Drawing Plot::at(const Text& alpha_text) const
{
    try {
        if (parts_) return parts_->at(alpha_text);
    } catch (...) {
    }
    Drawing empty;
    empty.width = width_;
    empty.height = height_;
    return empty;
}

Drawing plot(const Outcome& outcome, const Text& alpha_text, char16_t separator, double width, double height)
{
    return Plot(outcome, separator, width, height).at(alpha_text);
}

}  // namespace charts
