#pragma once
// What the program knows of each of its four distributions, in one place:
// the captions that record and show the choice, the picture, the boxes, the
// fields of the line and which of them have critical values, how a report
// and the plot name them, and the engine's routines behind them. Run, the
// windows, the strip, the report, the plot and the tests read it.
#include <vector>

#include "engine/law.h"
#include "engine/probability.h"
#include "platform/text.h"

namespace run {

using platform::Text;

enum class DistributionId { chi_square, normal, t, f };

// The areas under a density that a run gives: between 0 and |x|, between
// -|x| and |x|, beyond |x| on one side, below x, above x, beyond -|x| and
// |x| together, and twice the smaller tail.
enum class Area { centre, within, beyond, lower, upper, both, doubled };
inline constexpr int area_count = 7;

struct Distribution {
    // One field of the P-value line: its name and the area it measures.
    struct Field {
        Text name;  // "upper tail", "both tails", ...
        Area area;
    };
    // One value of the strip, named as the strip, the report and the plot
    // name it. Its critical value, where it has one, is the statistic at
    // which the area is alpha: the lower tail's below, the upper tail's
    // above, both tails' (and the doubled tail's) at alpha/2 on each side.
    struct Tail {
        Text name;
        Area area;
    };

    DistributionId id;
    Text caption;          // of lbl_value once chosen, the record of the choice ("CHI-SQUARED VALUE ")
    Text button;           // the selection button's caption ("Chi-Sqrd.")
    int picture;           // the bitmap resource of its panels
    Text picture_words;    // what the panels shade, as a screen reader says it
    Text numerator_row;    // the caption of the first degrees row; empty: no degrees
    Text denominator_row;  // the caption of the second; empty: none
    Text name;             // as the report names it ("chi-square")
    Text density_name;     // as the plot's words name it ("Chi-square density")
    Text symbol;           // of the statistic, as a paper writes it ("χ²", "z", "t", "F")
    std::vector<Field> fields;  // of the line, in its order
    std::vector<Tail> tails;    // of the strip, in its order
    size_t p_field;        // the field a paper reports, whose area the plot shades
    bool both_tails;       // that area lies beyond -|x| and |x|, else beyond x
    bool from_zero;        // the statistic lives on 0 and up, else on the whole line

    // Its law at the degrees as read (those it has none of are ignored);
    // DomainError for degrees outside the engine's domain.
    engine::Law (*law)(double nu1, double nu2);

    int degrees() const { return numerator_row.empty() ? 0 : denominator_row.empty() ? 1 : 2; }
    // The level at which an area's critical value lies: alpha, or alpha/2
    // for the areas of two tails.
    static double level(Area area, double alpha)
    {
        return area == Area::both || area == Area::doubled ? alpha / 2 : alpha;
    }
};

const Distribution& describe(DistributionId id);

// All four, in the order the Run command compares their captions.
inline constexpr DistributionId all_distributions[] = {DistributionId::chi_square, DistributionId::normal,
                                                      DistributionId::t, DistributionId::f};

}  // namespace run
