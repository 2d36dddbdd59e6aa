#pragma once
// A design of study, as the power window plans it: its boxes and what they
// start with, how a total N lays it out, its test and that test's law under
// H0 and at an effect, the effect a typed result shows with its interval,
// and its words. Each design is one entry of the table below, written in its
// own file under power/designs; the window, the questions, the pictures, the
// paragraph and the tests all read the table.
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/law.h"
#include "platform/text.h"

namespace power {

using platform::Text;

enum class Find { power, n, effect, alpha };  // the four questions, by what each finds

// The most a total N may be: every search stops there.
inline constexpr long long largest_n = 1'000'000'000;

// One box of a design's rows, with what it accepts.
struct Box {
    enum class Kind { number, whole, level };  // level: strictly between 0 and 1
    std::string key;   // how the drivers and the tests name it: "effect", "tails", "observed_df"
    Text caption;      // its label, which names it for a screen reader too
    Text initial;      // what it starts with, "." standing for the user's separator; empty: nothing
    Kind kind = Kind::number;
    double least = -INFINITY, most = INFINITY;  // what it accepts
    bool above = false;  // least itself refused
    bool below = false;  // most itself refused
};

// The boxes' values as read, by key.
using Values = std::map<std::string, double>;

// A design at a total N: its groups, the degrees of its test, and what the
// effect is multiplied by to give the noncentrality.
struct Layout {
    long long n = 0;
    std::vector<std::pair<Text, long long>> groups;  // the answer's lines: {"n1", 64}, {"per group", 20}
    bool kept = true;  // N keeps the design's shape (RATIO, equal groups)
    double df1 = 0, df2 = 0;
    double scale = 0;
};

// A test at an effect, a level and a total N: the statistic's law under H0
// and under H1, where H0 is rejected, and the power, each side as itself.
struct Test {
    engine::Law h0 = engine::Law::normal(), h1 = engine::Law::normal();
    double alpha = 0;
    double attained = NAN;  // a discrete test's own level, at most alpha; NAN where it is alpha
    // H0 is rejected for a statistic at or below `below` and at or above
    // `above` (NAN: no such region): {-c, c} for a two-tailed t, {NAN, c}
    // for F or an upper tail, counts for a discrete law.
    double below = NAN, above = NAN;
    double noncentrality = 0;      // at the effect; h1's, unless it lies beyond the domain
    double power = 0, beta = 1, beta_log = 0;
    // The noncentrality lies beyond the engine's domain: h1 and the power
    // are those at the domain's end, and the power is at least that.
    bool beyond = false;
    // Where the power is not exact, the approximation used, in words for the
    // answer's notes ("" where it is exact), and how far off it can be.
    Text approximation;
    double error = NAN;
};

// An effect a typed result shows, with its interval: each of the three
// mapped from a noncentrality by the same formula.
struct Estimate {
    Text name;  // "d", "f²", "R²"
    double estimate = 0, low = 0, high = 0;
    bool low_is_bound = false;   // no noncentrality reaches the low end: it is the effect of none
    bool high_is_bound = false;  // nor the high one within the domain: it is at least this
};

// The result typed, as a paper reports it, and the effects it shows.
struct Observed {
    bool typed = false;  // a statistic was typed; nothing else is said where none was
    Text why;            // where it cannot be given, in words
    Text heading;        // "t(38) = 2.45"
    double level = 0;    // of the intervals, e.g. 0.95
    std::vector<Estimate> effects;
    std::vector<Text> notes;  // what was read of its boxes, where not read in full
};

class Design {
public:
    // What a design is called, each where the window shows it.
    struct Names {
        std::string key;  // how the rows name it: "t2"
        Text button;      // its selection button: "t 2 groups"
        Text caption;     // the window's caption once chosen: "t TEST, TWO GROUPS"
        Text effect;      // the effect size's name: "d"
        Text statistic;   // the test's statistic: "t"
        Text shift;       // the noncentrality's name: "δ"
    };
    explicit Design(const Names& names)
        : key(names.key), button(names.button), caption(names.caption), effect(names.effect),
          statistic(names.statistic), shift(names.shift)
    {
    }
    virtual ~Design() = default;

    std::string key;  // its names, as Names gives them
    Text button, caption, effect, statistic, shift;
    std::vector<Box> boxes;  // its rows: the study planned, then the result observed

    // ---- the study planned
    // What the boxes must hold together, beyond what each accepts; throws a
    // refusal's words.
    virtual void check(const Values&) const {}
    // An effect that is none at all, whose power is alpha at every N.
    virtual bool no_effect(const Values&, double effect) const { return effect == 0; }
    // A discrete test, whose power saws up and down in N as its attainable
    // levels jump. Its Find N: the smallest N whose power reaches the target
    // (0 where none up to 10^9 does), and `every`, the smallest from which
    // every larger N does. By default its steps one by one from scan_from,
    // below which none reaches it, to the first that does, and on past each
    // that falls short until a run of steps several saws (saw_period) long
    // all reach it.
    virtual bool saws() const { return false; }
    virtual long long saw_search(const Values& v, double effect, double alpha, double target, long long& every) const;
    virtual long long scan_from(const Values& v, double, double, double) const { return first_step(v); }
    virtual long long saw_period(const Values&) const { return 1; }
    // The design at a total N; false where N is too small for it.
    virtual bool lay_out(const Values& v, long long n, Layout& out) const = 0;
    // Find N's candidates, rising: the m-th keeps the design's shape.
    virtual long long n_of_step(const Values&, long long m) const { return m; }
    // The test at an effect and a level; the noncentrality at the design's N.
    virtual Test test(const Values& v, const Layout& at, double effect, double alpha) const = 0;
    // What only the answer's own test needs, not each of a search's: a
    // discrete test's own level where it costs as much as the power.
    virtual void complete(const Values&, const Layout&, Test&) const {}
    // The smallest effect whose power is `target`; NAN where none reaches it.
    virtual double effect_for_power(const Values& v, const Layout& at, double alpha, double target) const = 0;
    // The test at the level whose power at the effect is `target`; throws
    // a refusal's words where no level between 0 and 1 gives it.
    virtual Test alpha_for_power(const Values& v, const Layout& at, double effect, double target) const = 0;

    // ---- the result observed, its own study
    virtual Observed observed(const Values& v, double alpha, char16_t separator) const = 0;

    // ---- words
    // The test as a methods section names it: "two-tailed t test for two independent groups".
    virtual Text test_words(const Values& v, char16_t separator) const = 0;
    // The degrees as a paper writes them after the statistic: "126", "2, 57".
    virtual Text degrees_words(const Layout& at, char16_t separator) const = 0;
    // The test's laws, as the picture of them says: "t with 126 degrees of
    // freedom, noncentrality 2.828".
    virtual Text law_words(const Test& t, const Layout& at, char16_t separator) const = 0;
    // How an N that does not keep the design's shape was split: "n1 = 1,
    // n2 = 2: RATIO 1 cannot be kept at N = 3."
    virtual Text split_words(const Values&, const Layout&, char16_t) const { return {}; }

    // The box of a key, nullptr where the design has none.
    const Box* box(const std::string& key) const;

protected:
    // The effect nearest `from` between it and `to` whose power reaches
    // `target`, the power rising from one to the other and reaching it at
    // `to` (NAN where it does not): halving, which a discrete test's steps
    // need, to a part in 10^15.
    static double first_reaching(double from, double to, const std::function<double(double)>& power, double target);
    // The test at the smallest level whose power at the effect reaches
    // `target`: the power rises with the level, and for a discrete test
    // jumps where its critical count does, so the search ends on the jump.
    Test level_for_power(const Values& v, const Layout& at, double effect, double target) const;

public:
    // The smallest total N the design lays out, and Find N's first step.
    long long smallest_n(const Values& v) const;
    long long first_step(const Values& v) const;
};

// Every design, in the order of their buttons.
const std::vector<const Design*>& designs();
const Design* design_of_button(const Text& button);

// A refusal, in the words the answer shows.
struct Refusal {
    Text why;
};

// The least m in (low, high] at which `reaches` holds, given that it fails at
// low and holds at high and, once it holds, holds for every larger m: the
// bracket halved.
long long least_reaching(long long low, long long high, const std::function<bool(long long)>& reaches);

}  // namespace power
