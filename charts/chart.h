#pragma once
// What every picture of the program shares, named once: its margins, type
// sizes and colours; how high a curve stands; the frame, a title wrapped to
// the picture's width, labels kept whole inside it, arrows at its edges and
// the axis under it. The result's plot and the power window's pictures
// decide what to draw; where it stands and how it looks is decided here.
#include <vector>

#include "charts/axis.h"
#include "platform/drawing.h"

namespace charts {

using platform::Align;
using platform::Colour;
using platform::Drawing;
using platform::Point;
using platform::Text;

namespace margin {
inline constexpr double edge = 10;        // between the picture's edge and an axis' end
inline constexpr double label = 3;        // the least room between a label and the edge
inline constexpr double title_top = 4;    // above the title's first line
inline constexpr double below_axis = 28;  // under the axis: its ticks and their labels
inline constexpr double value_axis = 40;  // left of a vertical axis, for its labels
inline constexpr double key = 120;        // from the right edge, a key to the areas
}  // namespace margin

namespace type {
inline constexpr double title = 9;   // points, bold
inline constexpr double label = 8;   // points
inline constexpr double title_line = 14;  // pixels a title line takes
inline constexpr double label_line = 15;  // pixels a row of labels takes
}  // namespace type

// The tallest point of a curve, as a share of the room above the axis.
inline constexpr double curve_height = 0.88;

namespace colours {
inline constexpr Colour curve{0, 0, 0};
inline constexpr Colour under_curve{208, 222, 240};
inline constexpr Colour p_area{28, 58, 110};
inline constexpr Colour statistic{190, 30, 30};
inline constexpr Colour critical{0, 118, 60};
inline constexpr Colour axis{80, 80, 80};
inline constexpr Colour frame{150, 150, 150};
// The power window's: H0 as the plot's curve, H1 as its p area.
inline constexpr Colour h0 = curve;
inline constexpr Colour h1 = p_area;
inline constexpr Colour alpha_area{226, 150, 150};
inline constexpr Colour power_area{160, 192, 228};
inline constexpr Colour answer = statistic;
}  // namespace colours

// An empty picture of the size, framed: what every picture starts from.
Drawing framed(double width, double height);

// The title's words from the top left, broken at blanks into as many lines
// as the room up to `right` (the picture's width less its margin where not
// given) needs; returns the y below its last line.
double title(Drawing& d, const Text& words, double right = -1);

// A label centred over x at y, moved in so that all of it lies between left
// and right.
void label(Drawing& d, double x, double y, const Text& text, Colour colour, double left, double right,
           bool bold = false);

// An arrow at an edge (the right one, or the left), pointing out at y to a
// value beyond it.
void arrow(Drawing& d, bool right, double tip, double y, Colour colour, bool dashed);

// How high a log-density stands on a curve whose highest point, at
// `reference`, stands curve_height of the room (more where it is cut there).
double curve_rise(double log_density, double reference, double room);
// Its y between top and bottom, never above top.
double curve_y(double log_density, double reference, double top, double bottom);

// The axis along `bottom` from its ticks' left to right, with the ticks.
void axis(Drawing& d, const Ticks& t, double bottom);

// The pixel of a value on an axis laid out by `t`.
double x_of(const Ticks& t, double value);

}  // namespace charts
