#include "charts/axis.h"

#include <algorithm>
#include <cmath>

#include "platform/drawing.h"
#include "platform/number_text.h"

namespace charts {

namespace {

// A round value written short: its significant digits and a power of ten
// ("2e8", "1.5e8", "-3e-7"); a value from 0.001 to 10000 as it is.
Text short_label(double value, char16_t separator)
{
    if (value == 0 || (std::fabs(value) >= 1e-3 && std::fabs(value) < 1e4))
        return platform::significant(value, platform::shortest_digits(value), false, separator);
    const int e = platform::decimal_exponent(value, 15);
    const double mantissa = value / std::pow(10.0, e);
    return platform::significant(mantissa, std::min(platform::shortest_digits(mantissa), 15), false, separator) + u"e" +
           platform::whole(e);
}

Ticks lay_out(double lo, double hi, double m, int e, char16_t separator, bool short_labels)
{
    const double step = m * std::pow(10.0, e);
    Ticks t;
    t.step = step;
    t.lo = lo;
    t.hi = hi;
    const double first = std::ceil(lo / step), last = std::floor(hi / step);
    if (last - first >= 7) return t;  // too many: not worth their labels
    // Enough digits for the step, and whole numbers in full.
    const int e_step = m == 2.5 ? e - 1 : e;  // 7.5 needs its tenths
    const double biggest = std::fmax(std::fabs(first * step), std::fabs(last * step));
    const int e_max = biggest > 0 ? int(std::floor(std::log10(biggest))) : e_step;
    int digits = std::max(e_max - e_step + 1, 1);
    if (e_max >= 0 && e_max < 15) digits = std::max(digits, e_max + 1);
    for (double k = first; k <= last; ++k) {
        const double value = k == 0 ? 0 : k * step;
        t.values.push_back(value);
        t.labels.push_back(short_labels ? short_label(value, separator)
                                        : platform::significant(value, std::min(digits, 17), false, separator));
    }
    return t;
}

// Pixels between a label and the drawing's edge.
constexpr double label_room = 3;

// The axis runs from `from` to `to`, or nearer the middle where an end label
// centred under its tick would run past the drawing's edge: a label is
// never cut, nor moved off its tick.
void set_margins(Ticks& t, double width, double from, double to)
{
    const auto half = [&](size_t k) { return platform::text_width(t.labels[k], 8) / 2; };
    const double span = to - from;
    const auto at = [&](size_t k) { return (t.values[k] - t.lo) / (t.hi - t.lo); };
    t.left = std::fmax(from, label_room + half(0) - at(0) * span);
    t.right = std::fmin(to, width - label_room - half(t.values.size() - 1) + (1 - at(t.values.size() - 1)) * span);
}

double pixel_of(const Ticks& t, double value) { return t.left + (value - t.lo) / (t.hi - t.lo) * (t.right - t.left); }

// Whether the labels stand apart, each with room to spare, and all inside
// the drawing.
bool fits(Ticks& t, double width, double from, double to)
{
    set_margins(t, width, from, to);
    if (t.right - t.left < 0.5 * (to - from)) return false;
    double last = -INFINITY;
    for (size_t k = 0; k < t.values.size(); ++k) {
        const double at = pixel_of(t, t.values[k]), half = platform::text_width(t.labels[k], 8) / 2;
        if (at - half < label_room || at + half > width - label_room || at - half < last + 8) return false;
        last = at + half;
    }
    return true;
}

}  // namespace

Ticks ticks(double lo, double hi, double width, char16_t separator, bool symmetric, bool whole, double from,
            double to)
{
    if (to < 0) to = width - 10;
    const auto unwanted = [whole](double m, int e) {
        const double step = m * std::pow(10.0, e);
        return whole && step != std::floor(step);
    };
    const int e0 = int(std::floor(std::log10((hi - lo) / 8)));
    // The labels in full if any step lets them fit, else written short.
    for (const bool short_labels : {false, true}) {
        for (int e = e0; e <= e0 + 3; ++e) {
            for (double m : {1.0, 2.0, 2.5, 5.0}) {
                if (unwanted(m, e)) continue;
                Ticks t = lay_out(lo, hi, m, e, separator, short_labels);
                if (t.values.size() >= 4 && t.values.size() <= 7 && fits(t, width, from, to)) return t;
            }
        }
        for (int e = e0; e <= e0 + 3; ++e) {
            for (double m : {1.0, 2.0, 5.0}) {
                if (unwanted(m, e)) continue;
                const double step = m * std::pow(10.0, e);
                double wide_lo = std::floor(lo / step) * step, wide_hi = std::ceil(hi / step) * step;
                if (symmetric) wide_lo = -(wide_hi = std::fmax(wide_hi, -wide_lo));
                Ticks t = lay_out(wide_lo, wide_hi, m, e, separator, short_labels);
                if (t.values.size() >= 4 && t.values.size() <= 7 && fits(t, width, from, to)) return t;
            }
        }
    }
    Ticks ends;  // none fits: the ends alone
    ends.lo = lo;
    ends.hi = hi;
    ends.step = hi - lo;
    for (double v : {lo, hi}) {
        ends.values.push_back(v);
        ends.labels.push_back(platform::significant(v, 4, false, separator));
    }
    set_margins(ends, width, from, to);
    return ends;
}

void draw_ticks(platform::Drawing& d, const Ticks& t, const std::function<double(double)>& x, double bottom,
                double left, double right, platform::Colour colour)
{
    for (size_t k = 0; k < t.values.size(); ++k) {
        const double at = x(t.values[k]);
        if (at < left - 0.5 || at > right + 0.5) continue;
        d.line({{at, bottom}, {at, bottom + 5}}, colour);
        d.text({at, bottom + 7}, t.labels[k], platform::Align::center, colour, 8, false);
    }
}

}  // namespace charts
