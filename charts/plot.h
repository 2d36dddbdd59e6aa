#pragma once
// The picture of the user's own answer: the density of the chosen
// distribution at the degrees typed, the area under it lightly filled, the
// area that the report's p-value measures filled dark, the statistic marked
// and labelled, the critical values at the level in the alpha box as dashed
// lines, and an axis of round values; the p-value written in it, so that a
// tail too thin to see is still read. It knows no toolkit: it describes the
// picture for a DrawingBox, and says in words what it shows.
#include <memory>

#include "platform/drawing.h"
#include "run/run_command.h"

namespace charts {

using platform::Text;
using run::Outcome;

// The plot of a run's outcome in `width` x `height` logical pixels, with the
// user's decimal separator: what no level changes is made once, and each
// level typed adds its critical values to it.
class Plot {
public:
    Plot();  // no run: an empty picture
    Plot(const Outcome& outcome, char16_t separator, double width, double height);
    ~Plot();
    Plot(Plot&&) noexcept;
    Plot& operator=(Plot&&) noexcept;
    // The whole picture at the level the alpha box holds. Never throws.
    platform::Drawing at(const Text& alpha_text) const;

private:
    class Parts;
    std::unique_ptr<Parts> parts_;
    double width_ = 0, height_ = 0;
};

// Plot(outcome, ...).at(alpha_text), in one: The x range holds the bulk of the distribution,
// the statistic and the critical values at 0.05, so that typing another level
// moves the dashed lines and nothing else; a statistic or a critical value
// far beyond the bulk is an arrow at the edge with its value. A density
// without bound at 0 is cut at the top, with a mark. Never throws: what the
// engine cannot give is left out.
platform::Drawing plot(const Outcome& outcome, const Text& alpha_text, char16_t separator, double width,
                       double height);

}  // namespace charts
