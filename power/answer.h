#pragma once
// The power window's arithmetic, on the exact noncentral laws of the engine:
// for each design of study, the power of its test at an effect, a level and
// a total N; the N, the effect or the level at which a wanted power is
// reached; and the effect size a result shows, with its confidence interval.
// It knows no window: the power window reads its boxes into PowerBoxes and
// shows the PowerAnswer it gets back.
#include <vector>

#include "platform/text.h"

namespace run {

using platform::Text;

enum class Design { t_one_sample, t_two_groups, anova, regression, chi_square };
inline constexpr Design all_designs[] = {Design::t_one_sample, Design::t_two_groups, Design::anova,
                                         Design::regression, Design::chi_square};

enum class Find { power, n, effect, alpha };  // the four questions, by what each finds

// What the program knows of each design, in one place.
struct DesignInfo {
    Design id;
    Text button;     // its selection button: "t 1 sample"
    Text caption;    // the design label's caption once chosen, the record of the choice
    Text effect;     // the effect size's name: "d", "f", "f²", "w"
    Text statistic;  // the test's statistic: "t", "F", "χ²"
    Text test;       // as a methods section names the test, without the tails
    bool tails, ratio, groups, predictors, degrees;  // the design's own boxes
    Text medium;     // a medium effect, as the effect box starts
};
const DesignInfo& describe(Design design);

// The boxes' texts, as typed. Each is read as every box reads a number
// (e-notation, a point or a comma); the design says which it needs.
struct PowerBoxes {
    Text effect, alpha, power, n, tails, ratio, groups, predictors, degrees, observed;
};

// The study as answered: every quantity at the answer.
struct Study {
    Design design = Design::t_two_groups;
    int tails = 2;
    double ratio = 1;
    long long groups = 3, predictors = 1;
    double degrees = 1;         // of the chi-square test, as typed
    double effect = 0, alpha = 0.05;
    long long n = 0, n1 = 0, n2 = 0, per_group = 0;  // total N; the groups' sizes
    double df1 = 0, df2 = 0;    // of the test
    double noncentrality = 0;   // delta for t, lambda for F and chi-square
    double critical = 0;        // the positive critical value of the statistic
    double power = 0, beta = 1; // each computed as itself
    double beta_log = 0;        // ln beta, which holds it below the smallest double
};

// The effect a typed statistic shows, with its interval: for t, d at 1 - alpha
// (alpha/2 each side); for F, f² and partial eta² (the ANOVA's f first) at
// 1 - 2 alpha, and for chi-square w at 1 - 2 alpha (alpha each side), as the
// one-sided tests have it.
struct EffectEstimate {
    Text name;              // "d", "f", "f²", "partial η²", "w"
    double estimate, low, high;
    bool low_is_bound;      // no noncentrality reaches the lower end: it is 0
    double level;           // of the interval, e.g. 0.95
};

struct PowerAnswer {
    bool answered = false;
    Text why;                // where it cannot be answered, in words
    Find question = Find::power;
    Study study;
    Text lines;              // the answer: labelled lines, the quantity found first
    bool has_observed = false;
    double observed = 0;     // the typed statistic
    std::vector<EffectEstimate> effects;
    Text result_lines;       // the effect of the typed statistic, in words
    Text paragraph;          // for a methods section: every input and output
};

// The answer to a question from the boxes, with the user's decimal separator.
// Never throws: what cannot be answered says why.
PowerAnswer answer(Design design, const PowerBoxes& boxes, Find question, char16_t separator);

// The study's power at another total N (the power curve): its power and the
// N as the design counts it (whole groups), or NAN where it cannot be given.
struct PowerPoint {
    long long n;
    double power;
};
PowerPoint power_at(const Study& study, long long n);

// The smallest N the design allows, and the N at which the power reaches
// `target` (at most 10^9; 0 where no N up to there does).
long long smallest_n(const Study& study);
long long n_for_power(const Study& study, double target);

// A power as the answer writes it: six significant digits, or its distance
// from 1 where those would round to 1 ("1 − 3.2e-15", "1 − 4.1e-4000").
Text power_text(const Study& study, char16_t separator);

}  // namespace run
