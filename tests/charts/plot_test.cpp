// The plot of a run, read back from its shapes as a person reads the
// picture: the axis's round values and where they stand, the marker at the
// statistic, the dashed lines at the critical values, the dark area against
// the p-value that is on the axis, the arrow for what is off it, the cut at
// the top; and a new level moving the dashed lines and nothing else.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "platform/number_text.h"
#include "run/critical_text.h"
#include "charts/chart.h"
#include "charts/plot.h"
#include "support/plain_view.h"

namespace {

using platform::Drawing;
using platform::Shape;
using platform::Text;
using run::DistributionId;
namespace colour = charts::colours;

bool same(platform::Colour a, platform::Colour b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

std::vector<const Shape*> shapes(const Drawing& d, Shape::Kind kind, platform::Colour c)
{
    std::vector<const Shape*> found;
    for (const Shape& s : d.shapes)
        if (s.kind == kind && same(s.colour, c)) found.push_back(&s);
    return found;
}

double area(const Shape& polygon)
{
    double twice = 0;
    const auto& p = polygon.points;
    for (size_t k = 0; k < p.size(); ++k) {
        const auto& a = p[k];
        const auto& b = p[(k + 1) % p.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2;
}

double total_area(const Drawing& d, platform::Colour c)
{
    double sum = 0;
    for (const Shape* s : shapes(d, Shape::Kind::polygon, c)) sum += area(*s);
    return sum;
}

// The axis as printed: tick labels and where they stand, and the linear
// scale they give from value to pixel.
struct Axis {
    std::vector<double> values, at;
    double pixel(double value) const
    {
        return at.front() + (value - values.front()) / (values.back() - values.front()) * (at.back() - at.front());
    }
    double value(double pixel) const
    {
        return values.front() + (pixel - at.front()) / (at.back() - at.front()) * (values.back() - values.front());
    }
};

Axis read_axis(const Drawing& d)
{
    Axis axis;
    for (const Shape* s : shapes(d, Shape::Kind::text, colour::axis)) {
        axis.values.push_back(platform::parse(s->text));
        axis.at.push_back(s->points[0].x);
    }
    return axis;
}

// Vertical lines of a colour, by their x.
std::vector<double> verticals(const Drawing& d, platform::Colour c)
{
    std::vector<double> xs;
    for (const Shape* s : shapes(d, Shape::Kind::line, c))
        if (s->points.size() == 2 && s->points[0].x == s->points[1].x) xs.push_back(s->points[0].x);
    return xs;
}

enum class Where { on_scale, off_right, off_left };

struct Row {
    DistributionId d;
    Text value, nu1, nu2;
    Where statistic = Where::on_scale;  // or an arrow at that edge
    bool cut = false;  // a density without bound at 0
    Where critical = Where::on_scale;
    Text words{};      // the whole of them, where the row gives them
};

TEST(Plot, EachQuestionDrawsWhatItsNumbersSay)
{
    using enum DistributionId;
    const Row rows[] = {
        {t, u"2.1", u"17", u"", Where::on_scale, false, Where::on_scale,
         u"t(17) = 2.1: both tails p = 0.05096. Student t density, 17 degrees of freedom. t = 2.1 marked. Both tails "
         u"beyond \u00B12.1 shaded: p = 0.05096. Critical values at \u03B1 = 0.05: \u00B12.10982. p = 0.05096 \u2265 "
         u"\u03B1 = 0.05: not significant at this level."},
        {t, u"8", u"40", u""},
        {t, u"0.5", u"2", u""},
        {t, u"-1.5", u"1", u""},
        {t, u"1e6", u"3", u"", Where::off_right},
        {t, u"-1e6", u"3", u"", Where::off_left},
        {t, u"2", u"0.5", u"", Where::on_scale, false, Where::off_right},
        {t, u"1.96", u"1e9", u""},
        {normal, u"1.96", u"", u""},
        {normal, u"0", u"", u""},
        {normal, u"40", u"", u"", Where::off_right},
        {chi_square, u"3.84", u"1", u"", Where::on_scale, true},
        {chi_square, u"5000", u"1", u"", Where::off_right, true, Where::on_scale,
         u"\u03C7\u00B2(1) = 5000: upper tail p = 2.071e-1088. Chi-square density, 1 degree of freedom. \u03C7\u00B2 = "
         u"5000 marked beyond the right edge of the scale. Upper tail beyond 5000 shaded: p = 2.071e-1088. Critical "
         u"value at \u03B1 = 0.05: 3.84146. The curve rises without bound at 0 and is cut off at the top. p = "
         u"2.071e-1088 < \u03B1 = 0.05: significant at this level."},
        {chi_square, u"0", u"4", u""},
        {chi_square, u"11.07", u"5", u""},
        {chi_square, u"1000100000", u"1e9", u""},
        {chi_square, u"5", u"1e9", u"", Where::off_left},
        {chi_square, u"0.83", u"1e-18", u"", Where::on_scale, true},
        {f, u"3", u"4", u"20"},
        {f, u"0.5", u"1.5", u"20", Where::on_scale, true},
        {f, u"1.0001", u"1e9", u"1e9"},
        // Tiny degrees: a curve one can see, and the statistic on it where its density shows.
        {t, u"2", u"0.001", u"", Where::on_scale, false, Where::off_right},
        {t, u"1e6", u"0.001", u"", Where::off_right, false, Where::off_right},
        {chi_square, u"0.5", u"0.001", u"", Where::on_scale, true},
        {f, u"2", u"0.001", u"0.001", Where::on_scale, true, Where::off_right},
        {chi_square, u"1e9", u"1e9", u""},
        {normal, u"1e6", u"", u"", Where::off_right},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(platform::to_utf8(run::describe(r.d).caption + u" " + r.value + u" " + r.nu1 + u" " + r.nu2));
        const run::Outcome outcome = run::run_command(PlainView(r.d, r.value, r.nu1, r.nu2));
        ASSERT_EQ(outcome.kind, run::Outcome::Kind::result);
        const Drawing drawing = charts::plot(outcome, u"0.05", u'.', 380, 301);
        const run::Question& q = outcome.question;
        const run::Distribution& d = *q.distribution;

        // Every text wholly inside the picture; the question as read first, a
        // bound written as one.
        for (const Shape& s : drawing.shapes) {
            if (s.kind != Shape::Kind::text) continue;
            const double w = platform::text_width(s.text, s.size);
            const double from = s.points[0].x - (s.align == platform::Align::center ? w / 2 : s.align == platform::Align::right ? w : 0);
            EXPECT_TRUE(from >= 0 && from + w <= 380 && s.points[0].y >= 0 && s.points[0].y + s.size * 1.6 <= 301)
                << platform::to_utf8(s.text) << " from " << from;
        }
        EXPECT_EQ(drawing.words.find(outcome.asked + u": "), 0u);
        EXPECT_EQ(drawing.words.find(u"= <"), Text::npos);

        // Four to seven round values, evenly stepped, whose labels stand apart.
        const Axis axis = read_axis(drawing);
        ASSERT_GE(axis.values.size(), 4u);
        ASSERT_LE(axis.values.size(), 7u);
        const double step = axis.values[1] - axis.values[0];
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                    std::fabs(mantissa - 2.5) < 1e-9 || std::fabs(mantissa - 5) < 1e-9)
            << step;
        const auto labels = shapes(drawing, Shape::Kind::text, colour::axis);
        for (size_t k = 1; k < axis.values.size(); ++k) {
            EXPECT_NEAR(axis.values[k] - axis.values[k - 1], step, 1e-9 * std::fabs(step) + 1e-12 * std::fabs(axis.values[k]));
            const double room = (platform::text_width(labels[k]->text, 8) + platform::text_width(labels[k - 1]->text, 8)) / 2;
            EXPECT_GT(axis.at[k] - axis.at[k - 1], room) << "labels overlap";
        }

        // The marker where the axis puts the statistic, or an arrow at the edge.
        const std::vector<double> marker = verticals(drawing, colour::statistic);
        const auto arrowheads = shapes(drawing, Shape::Kind::polygon, colour::statistic);
        if (r.statistic == Where::on_scale) {
            ASSERT_EQ(marker.size(), 1u);
            EXPECT_NEAR(marker[0], axis.pixel(q.statistic), 1);
            EXPECT_TRUE(arrowheads.empty());
        } else {
            EXPECT_TRUE(marker.empty());
            ASSERT_EQ(arrowheads.size(), 1u);
            const double tip = arrowheads[0]->points[0].x;
            EXPECT_TRUE(r.statistic == Where::off_right ? tip >= axis.at.back() : tip <= axis.at.front()) << tip;
        }

        // Dashed lines where each shaded tail is alpha.
        const bool halved = run::Distribution::level(d.fields[d.p_field].area, 1) == 0.5;
        // Below the smallest double the value is drawn at 0, its bound.
        const double c = [&] {
            try {
                return d.law(q.nu1, q.nu2).upper_quantile(halved ? 0.025 : 0.05);
            } catch (const std::exception&) {
                return 0.0;
            }
        }();
        const std::vector<double> dashed = verticals(drawing, colour::critical);
        const auto critical_arrow = shapes(drawing, Shape::Kind::polygon, colour::critical);
        if (r.critical == Where::on_scale) {
            ASSERT_EQ(dashed.size(), d.both_tails ? 2u : 1u);
            EXPECT_NEAR(dashed[0], axis.pixel(c), 1);
            if (d.both_tails) {
                EXPECT_NEAR(dashed[1], axis.pixel(-c), 1);
            }
            EXPECT_TRUE(critical_arrow.empty());
        } else {
            EXPECT_TRUE(dashed.empty());
            ASSERT_EQ(critical_arrow.size(), 1u);
            EXPECT_GE(critical_arrow[0]->points[0].x, axis.at.back());
        }

        // The dark area is the part of p on the axis, to 1 % of the area under
        // the curve, where the curve is drawn whole.
        const auto under = shapes(drawing, Shape::Kind::polygon, colour::under_curve);
        ASSERT_EQ(under.size(), 1u);
        EXPECT_GT(area(*under[0]), 0.02 * 380 * 301) << "a curve one can see";
        const bool cut = !shapes(drawing, Shape::Kind::polygon, colour::curve).empty();
        EXPECT_EQ(cut, r.cut);
        if (!cut) {
            const double lo = axis.value(under[0]->points.front().x), hi = axis.value(under[0]->points.back().x);
            const auto upper = [&](double x) { return d.law(q.nu1, q.nu2).tails(x).upper.value; };
            const auto mass = [&](double a, double b) { return a < b ? upper(a) - upper(b) : 0.0; };
            const double s = q.statistic, a = std::fabs(s);
            const double shaded = d.both_tails ? mass(lo, std::fmin(-a, hi)) + mass(std::fmax(a, lo), hi)
                                               : mass(std::fmax(s, lo), hi);
            EXPECT_NEAR(total_area(drawing, colour::p_area) / area(*under[0]), shaded / mass(lo, hi), 0.01);
        }
        if (!r.words.empty()) {
            EXPECT_EQ(drawing.words, r.words);
        }

        // Another level moves the dashed lines and their label (or their arrow
        // at the edge), and nothing else.
        const auto but_critical = [](const Drawing& drawing) {
            std::vector<const Shape*> all;
            for (const Shape& s : drawing.shapes)
                if (!same(s.colour, colour::critical)) all.push_back(&s);
            return all;
        };
        const auto before = but_critical(drawing);
        for (const Text alpha : {u"0.01", u"1e-300", u"abc", u"0.999999"}) {
            const Drawing other = charts::plot(outcome, alpha, u'.', 380, 301);
            // The value in the dashed lines' label has the digits it needs.
            for (const Shape* label : shapes(other, Shape::Kind::text, colour::critical)) {
                const size_t at = label->text.find(u"= ");
                if (at == Text::npos) continue;  // a bound beyond the doubles
                Text number = label->text.substr(at + 2);
                if (number[0] == u'\u00B1') number.erase(0, 1);
                const double level = run::alpha_of(alpha) / (halved ? 2 : 1);
                const double value = std::fabs(d.law(q.nu1, q.nu2).upper_quantile(level));
                EXPECT_NEAR(platform::parse(number), value, 1e-3 * value) << platform::to_utf8(label->text);
            }
            const auto kept = but_critical(other);
            ASSERT_EQ(kept.size(), before.size());
            for (size_t k = 0; k < kept.size(); ++k) {
                EXPECT_EQ(kept[k]->text, before[k]->text);
                ASSERT_EQ(kept[k]->points.size(), before[k]->points.size());
                for (size_t p = 0; p < kept[k]->points.size(); ++p) EXPECT_EQ(kept[k]->points[p].x, before[k]->points[p].x);
            }
            EXPECT_EQ(shapes(other, Shape::Kind::line, colour::critical).empty(), alpha == Text(u"abc"));
        }
    }
}

}  // namespace
