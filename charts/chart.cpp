#include "charts/chart.h"

#include <algorithm>
#include <cmath>

#include "run/wrap.h"

namespace charts {

Drawing framed(double width, double height)
{
    Drawing d;
    d.width = width;
    d.height = height;
    const double w = width - 0.5, h = height - 0.5;
    d.line({{0.5, 0.5}, {w, 0.5}, {w, h}, {0.5, h}, {0.5, 0.5}}, colours::frame);
    return d;
}

double title(Drawing& d, const Text& words, double right)
{
    if (right < 0) right = d.width - margin::edge;
    double y = margin::title_top;
    const size_t columns = size_t((right - margin::edge) / platform::text_width(u"0", type::title));
    const Text lines = run::wrapped(words, columns);
    for (size_t start = 0; start <= lines.size();) {
        size_t end = lines.find(u'\n', start);
        if (end == Text::npos) end = lines.size();
        d.text({margin::edge, y}, lines.substr(start, end - start), Align::left, colours::curve, type::title, true);
        y += type::title_line;
        start = end + 1;
    }
    return y;
}

void label(Drawing& d, double x, double y, const Text& text, Colour colour, double left, double right, bool bold)
{
    const double half = platform::text_width(text, type::label) / 2;
    const double centre = std::clamp(x, left + half, std::fmax(right - half, left + half));
    d.text({centre, y}, text, Align::center, colour, type::label, bold);
}

void arrow(Drawing& d, bool right, double tip, double y, Colour colour, bool dashed)
{
    const double back = right ? -1 : 1;
    d.line({{tip + back * 30, y}, {tip + back * 6, y}}, colour, 2, dashed);
    d.polygon({{tip, y}, {tip + back * 8, y - 5}, {tip + back * 8, y + 5}}, colour);
}

// At most e^10 above the reference: a density without bound is cut anyway.
double curve_rise(double log_density, double reference, double room)
{
    return std::isnan(log_density) ? 0 : curve_height * room * std::exp(std::fmin(log_density - reference, 10.0));
}

double curve_y(double log_density, double reference, double top, double bottom)
{
    return bottom - std::fmin(curve_rise(log_density, reference, bottom - top), bottom - top);
}

double x_of(const Ticks& t, double value) { return t.left + (value - t.lo) / (t.hi - t.lo) * (t.right - t.left); }

void axis(Drawing& d, const Ticks& t, double bottom)
{
    d.line({{t.left, bottom}, {t.right, bottom}}, colours::axis);
    draw_ticks(d, t, [&](double v) { return x_of(t, v); }, bottom, t.left, t.right, colours::axis);
}

}  // namespace charts
