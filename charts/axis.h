#pragma once
// The round values along a picture's axis and where the axis runs, so that
// every label stands apart from the next and wholly inside the picture.
#include <functional>
#include <vector>

#include "platform/drawing.h"
#include "platform/text.h"

namespace charts {

using platform::Text;

// Four to seven round values (1, 2, 2.5 or 5 times a power of ten) whose
// labels stand apart. Where no such step fits the range, the range grows to
// the next multiples of a step of 1, 2 or 5 that does.
struct Ticks {
    std::vector<double> values;
    std::vector<Text> labels;
    double step = 0;
    double lo = 0, hi = 0;        // the range they were laid out for
    double left = 0, right = 0;   // where the axis then runs, in pixels
};

// The values between lo and hi for a picture `width` pixels wide, labelled
// in 8-point Courier New with the given separator; symmetric about 0 where
// the range is; only whole steps where the values are counts. The axis runs
// within `from` and `to` pixels (10 from each edge where they are not
// given), nearer the middle where an end label needs the room. Where no
// labels in full fit, they are written short, as 2e8 for 200000000.
Ticks ticks(double lo, double hi, double width, char16_t separator, bool symmetric, bool whole = false,
            double from = 10, double to = -1);

// A tick under the line at `bottom` for each value (at x(value), dropped
// where that falls outside left..right) with its label below.
void draw_ticks(platform::Drawing& d, const Ticks& t, const std::function<double(double)>& x, double bottom,
                double left, double right, platform::Colour colour);

}  // namespace charts
