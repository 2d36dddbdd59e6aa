#pragma once
// The power window's two pictures, described as shapes for a DrawingBox to
// paint, each with its words for a screen reader: the test statistic's
// density under H0 and under H1 at the answer, the critical values dashed,
// alpha shaded under H0 beyond them and the power under H1; and the power
// against the total N, from the smallest N the design allows to the N of
// power 0.99, with the answer marked.
#include "platform/drawing.h"
#include "run/plot.h"
#include "run/power.h"

namespace run {

// The plot's style where the two pictures say the same thing.
namespace power_colours {
inline constexpr platform::Colour h0 = plot_colours::curve;
inline constexpr platform::Colour h1 = plot_colours::p_area;
inline constexpr platform::Colour alpha_area{226, 150, 150};
inline constexpr platform::Colour power_area{160, 192, 228};
inline constexpr platform::Colour critical = plot_colours::critical;
inline constexpr platform::Colour curve = plot_colours::p_area;
inline constexpr platform::Colour answer = plot_colours::statistic;
inline constexpr platform::Colour axis = plot_colours::axis;
inline constexpr platform::Colour frame = plot_colours::frame;
}  // namespace power_colours

// Both never throw; an answer that is none gives an empty picture.
platform::Drawing distributions_picture(const PowerAnswer& answer, char16_t separator, double width, double height);
platform::Drawing power_curve_picture(const PowerAnswer& answer, char16_t separator, double width, double height);

}  // namespace run
