#include "power/answer.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "platform/number_text.h"
#include "power/reading.h"
#include "power/words.h"
#include "run/box_note.h"
#include "run/exact_text.h"

namespace power {

namespace {

bool asked(const std::string& key) { return key == "effect" || key == "alpha" || key == "power" || key == "n"; }
bool of_result(const std::string& key) { return key.rfind("observed", 0) == 0; }

Text text_of(const Typed& typed, const std::string& key)
{
    const auto it = typed.find(key);
    return it == typed.end() ? Text() : it->second;
}

// The design's own boxes, which every question and the result need.
void read_settings(const Design& d, const Typed& typed, char16_t separator, Values& v, std::vector<Text>& notes)
{
    for (const Box& b : d.boxes)
        if (!asked(b.key) && !of_result(b.key)) v[b.key] = read_box(b, text_of(typed, b.key), separator, notes);
    d.check(v);
}

Layout lay_out_or_refuse(const Design& d, const Values& v, long long n)
{
    Layout at;
    if (!d.lay_out(v, n, at))
        throw Refusal{u"TOTAL N is too small for this design: it needs at least " + platform::whole(d.smallest_n(v)) +
                      u"."};
    return at;
}

// The power at every N of the picture's span, each exact; an N the design
// cannot lay out, or a test the engine cannot give, is left out. A discrete
// test's saw shows at a point an N, where the span has no more Ns than a
// picture has pixels to show them apart.
Curve curve_of(const Design& d, const Values& v, double effect, double alpha, long long n)
{
    Curve c;
    c.saw = d.saws();
    c.first = d.smallest_n(v);
    // Where the power reaches 0.99 spans the picture; a saw's first N there,
    // as the design finds it, suffices: a saw more or less is not seen.
    if (!d.no_effect(v, effect) && alpha < 0.99) {
        if (!c.saw) c.n99 = n_for_power(d, v, effect, alpha, 0.99);
        else if (const long long m = d.scan_from(v, effect, alpha, 0.99); d.n_of_step(v, m) <= largest_n)
            c.n99 = d.n_of_step(v, m);
    }
    c.last = std::max({c.n99 == 0 ? largest_n : c.n99, n, c.first + 1});
    constexpr long long pixels = 480;  // about as many Ns as the picture can show apart
    const int points = !c.saw ? 30 : c.last - c.first <= pixels ? int(c.last - c.first) : 40;
    for (int k = 0; k <= points; ++k) {
        const long long at_n = std::llround(double(c.first) + double(c.last - c.first) * k / points);
        if (!c.points.empty() && at_n <= c.points.back().n) continue;
        try {
            Layout at;
            if (!d.lay_out(v, at_n, at)) continue;
            c.points.push_back({at_n, d.test(v, at, effect, alpha).power});
        } catch (...) {
            // Left out: the picture joins its neighbours.
        }
    }
    return c;
}

// The effect of a result typed as a paper reports it: its own statistic,
// degrees (or N) and the level in the alpha box; nothing of the study planned.
Observed observed_of(const Design& d, const Typed& typed, char16_t separator)
{
    Observed o;
    const Box* statistic = d.box("observed");
    if (!statistic || run::trimmed(text_of(typed, "observed")).empty()) return o;
    std::vector<Text> notes;
    try {
        Values v;
        read_settings(d, typed, separator, v, notes);
        for (const Box& b : d.boxes)
            if (of_result(b.key)) v[b.key] = read_box(b, text_of(typed, b.key), separator, notes);
        const double alpha = read_box(*d.box("alpha"), text_of(typed, "alpha"), separator, notes);
        o = d.observed(v, alpha, separator);
    } catch (const Refusal& refusal) {
        o.why = refusal.why;
    } catch (const std::exception&) {
        o.why = u"The effect of the observed statistic cannot be computed for these numbers.";
    }
    o.typed = true;
    o.notes = std::move(notes);
    return o;
}

}  // namespace

// The power rises with N: double the step until it reaches the target (or N
// passes 10^9), then halve the bracket down to the smallest step that does.
// A discrete test's power saws: the design searches it.
long long n_for_power(const Design& d, const Values& v, double effect, double alpha, double target, long long* every)
{
    const auto reaches = [&](long long m) {
        Layout at;
        return d.lay_out(v, d.n_of_step(v, m), at) && d.test(v, at, effect, alpha).power >= target;
    };
    if (d.saws()) {
        long long from = 0;
        const long long first = d.saw_search(v, effect, alpha, target, from);
        if (every) *every = from;
        return first;
    }
    long long low = d.first_step(v), high = low;
    if (reaches(low)) return d.n_of_step(v, low);
    for (;;) {
        low = high;
        high = 2 * high;
        if (d.n_of_step(v, high) > largest_n) {
            // The largest step within the bound.
            long long most = high;
            while (most > low && d.n_of_step(v, most) > largest_n) most = low + (most - low) / 2;
            if (most <= low || !reaches(most)) return 0;
            high = most;
            break;
        }
        if (reaches(high)) break;
    }
    return d.n_of_step(v, least_reaching(low, high, reaches));
}

PowerAnswer answer(const Design& d, const Typed& typed, Find question, char16_t separator)
{
    PowerAnswer a;
    a.design = &d;
    a.question = question;
    try {
        Values& v = a.values;
        read_settings(d, typed, separator, v, a.notes);
        const auto read = [&](const char* key) { return read_box(*d.box(key), text_of(typed, key), separator, a.notes); };
        double alpha = 0;
        long long n = 0;
        if (question != Find::effect) a.effect = read("effect");
        if (question != Find::alpha) alpha = read("alpha");
        if (question != Find::power) a.target = read("power");
        if (question != Find::n) n = static_cast<long long>(read("n"));

        if ((question == Find::n || question == Find::effect) && a.target <= alpha)
            throw Refusal{u"POWER must lie above \u03B1: with no effect at all a test rejects at the rate \u03B1."};
        if (question == Find::n && d.no_effect(v, a.effect))
            throw Refusal{u"An effect of 0 cannot be detected: its power stays at \u03B1 for every N."};
        if (question == Find::alpha && d.no_effect(v, a.effect))
            throw Refusal{u"With an effect of 0 the power is \u03B1 itself: the level that gives it is the power."};

        switch (question) {
        case Find::power:
            a.layout = lay_out_or_refuse(d, v, n);
            a.test = d.test(v, a.layout, a.effect, alpha);
            break;
        case Find::n:
            n = n_for_power(d, v, a.effect, alpha, a.target, &a.n_every);
            if (n == 0)
                throw Refusal{u"No N up to " + platform::whole(largest_n) +
                              u" reaches that power; the effect is too small to detect at that level."};
            a.layout = lay_out_or_refuse(d, v, n);
            a.test = d.test(v, a.layout, a.effect, alpha);
            break;
        case Find::effect:
            a.layout = lay_out_or_refuse(d, v, n);
            a.effect = d.effect_for_power(v, a.layout, alpha, a.target);
            if (std::isnan(a.effect))
                throw Refusal{u"No effect up to the largest noncentrality the program computes reaches that power."};
            a.test = d.test(v, a.layout, a.effect, alpha);
            break;
        case Find::alpha:
            a.layout = lay_out_or_refuse(d, v, n);
            a.test = d.alpha_for_power(v, a.layout, a.effect, a.target);
            break;
        }
        d.complete(v, a.layout, a.test);
        // A typed N that does not keep the design's shape is said, with its split.
        if (question != Find::n && !a.layout.kept) a.notes.push_back(d.split_words(v, a.layout, separator));
        if (!a.test.approximation.empty())
            a.notes.push_back(a.test.approximation + u" " + platform::significant(a.test.error, 2, false, separator) + u".");
        if (a.test.beyond)
            a.notes.push_back(u"The noncentrality lies beyond " + run::short_number(a.test.h1.noncentrality(), separator) +
                              u", the largest the program computes: the power shown is the power there, and the "
                              u"power at this N is larger still.");
        a.curve = curve_of(d, v, a.effect, a.test.alpha, a.layout.n);
        a.answered = true;
    } catch (const Refusal& refusal) {
        a.why = refusal.why;
    } catch (const std::exception& error) {
        a.why = u"The calculation cannot be done with these numbers: " + platform::from_utf8(error.what()) + u".";
    }

    // The result typed is its own study, whatever became of the question.
    a.observed = observed_of(d, typed, separator);
    std::erase_if(a.observed.notes, [&](const Text& note) {
        return std::find(a.notes.begin(), a.notes.end(), note) != a.notes.end();
    });
    if (!a.answered && a.observed.why == a.why) a.observed.why.clear();
    a.lines = answer_lines(a, separator);
    a.result_lines = result_lines(a, separator);
    a.paragraph = paragraph(a, separator);
    return a;
}

}  // namespace power
