#pragma once
// The power window's four questions, over the table of designs: the power
// of a design's test at an effect, a level and a total N; the N, the effect
// or the level at which a wanted power is reached; and the effect a typed
// result shows, with its interval, as its own study. It knows no window:
// the power window hands it the boxes' texts and shows the answer, and the
// pictures draw the answer's study as it stands here.
#include <map>
#include <string>
#include <vector>

#include "power/design.h"

namespace power {

// Each box's text as typed, by its key.
using Typed = std::map<std::string, Text>;

// The power at some total N, for the picture of power against N.
struct PowerPoint {
    long long n;
    double power;
};
struct Curve {
    std::vector<PowerPoint> points;  // rising in N, each computed exactly
    long long first = 0, last = 0;   // the N the picture spans
    long long n99 = 0;               // where the power reaches 0.99; 0 where no N up to 10^9 does
    bool saw = false;                // a discrete test's: a point an N, joined as they are
};

struct PowerAnswer {
    const Design* design = nullptr;
    Find question = Find::power;
    bool answered = false;
    Text why;  // where it cannot be answered, in words
    Values values;
    Layout layout;  // the design at the answer's N
    double effect = 0;
    double target = 0;  // the power asked for (not for Find power)
    Test test;          // at the answer: both laws, the critical values, the power
    long long n_every = 0;  // a discrete test's Find N: from this N on every N reaches the power (0: the answer's)
    Curve curve;
    std::vector<Text> notes;  // boxes not read in full, an N split unevenly, a power beyond the domain
    Observed observed;
    Text lines;         // the answer: labelled lines, the quantity found first
    Text result_lines;  // the notes and the result typed, in words
    Text paragraph;     // for a methods section: every input and output
};

// The answer to a question, with the user's decimal separator. Never throws:
// what cannot be answered says why.
PowerAnswer answer(const Design& design, const Typed& typed, Find question, char16_t separator);

// The smallest N in Find N's sequence whose power reaches `target`; 0 where
// no N up to 10^9 does. For a discrete test, whose power saws, `every` is
// then the smallest N from which every larger N reaches it too.
long long n_for_power(const Design& design, const Values& v, double effect, double alpha, double target,
                      long long* every = nullptr);

}  // namespace power
