#pragma once
// The power window's behaviour, written once as scenarios that every
// backend's driver runs: choose the design, type the boxes, press a question,
// read the answer's lines, the effect of a typed statistic and the pictures'
// words. The expected numbers are the rows of tools/tables/make_power_rows.py
// (mpmath at 50 digits, tests/forms/data/power_rows.csv), compared to the
// digits the window shows; the refusals are the words below.
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/number_text.h"
#include "platform/text.h"
#include "power/design.h"
#include "correlation_power_rows_data.h"
#include "discrete_power_rows_data.h"
#include "power_rows_data.h"

namespace power_rows {

using Text = std::u16string;

// One step of a scenario that walks the window: choose a design, type into a
// box of the design chosen, press a question, go back and open the window
// again, or read something and compare it with what is expected.
struct Step {
    enum class Kind { choose, type, press, reopen, expect_box, expect_chosen, expect_answer, expect_result, expect_copy };
    Kind kind;
    std::string key;  // the box typed into or read
    Text text;        // a button's caption, the keys to type, or the words expected
};

struct Scenario {
    std::string name;
    Text design;    // the design's button: "t 2 groups"
    Text question;  // the question's button: "Find N"
    std::vector<std::pair<std::string, Text>> boxes;  // by key (effect, alpha, ...), texts to type
    std::map<std::string, std::string> expected;      // the row's exp_* columns, those it gives
    Text refusal;   // words the answer must give instead, where it cannot be answered
    std::vector<Step> steps;  // a walk through the window, where the scenario is one
};

inline Text widen(const std::string& s) { return platform::from_utf8(s); }

inline Text design_button(const std::string& key)
{
    for (const power::Design* d : power::designs())
        if (d->key == key) return d->button;
    return widen("no design " + key);
}

inline Text question_button(const std::string& key)
{
    if (key == "power") return u"Find power";
    if (key == "n") return u"Find N";
    if (key == "effect") return u"Find effect";
    return u"Find \u03B1";
}

// Questions that cannot be answered, and what the window says instead.
inline std::vector<Scenario> refusals()
{
    const auto row = [](const char* name, const char* design, const char* question,
                        std::vector<std::pair<std::string, Text>> boxes, Text words) {
        return Scenario{name, design_button(design), question_button(question), std::move(boxes), {}, std::move(words), {}};
    };
    return {
        row("power at alpha", "t2", "n", {{"effect", u"0.5"}, {"alpha", u"0.05"}, {"power", u"0.05"}},
            u"POWER must lie above \u03B1"),
        row("no effect", "t1", "n", {{"effect", u"0"}}, u"An effect of 0 cannot be detected"),
        row("too small for two groups", "t2", "power", {{"n", u"2"}},
            u"TOTAL N is too small for this design: it needs at least 3."),
        row("too small for the predictors", "regression", "power", {{"n", u"4"}, {"predictors", u"3"}},
            u"TOTAL N is too small for this design: it needs at least 5."),
        row("too small for the groups", "anova", "power", {{"n", u"4"}, {"groups", u"4"}},
            u"TOTAL N is too small for this design: it needs at least 5."),
        row("beyond 10^9", "t1", "n", {{"effect", u"0.0001"}, {"power", u"0.99"}}, u"No N up to 1000000000"),
        row("empty effect", "anova", "power", {{"effect", u""}, {"n", u"60"}}, u"EFFECT SIZE f holds no number."),
        row("unreadable N", "t1", "power", {{"n", u"many"}}, u"TOTAL N holds no number."),
        row("N not whole", "chisq", "power", {{"n", u"10,5"}}, u"TOTAL N must be a whole number."),
        row("level out of range", "t2", "power", {{"n", u"100"}, {"alpha", u"1.5"}}, u"\u03B1 must be between 0 and 1."),
        row("three tails", "t1", "power", {{"n", u"20"}, {"tails", u"3"}}, u"TAILS must be at most 2."),
        row("negative effect", "chisq", "power", {{"effect", u"-0.3"}, {"n", u"50"}}, u"must not be negative"),
    };
}

// Walks through the window, each a fault once found: "{sep}" in a text
// stands for the user's decimal separator, "{apa}" for a level's start as a
// paper writes it (".05" where the separator is a point, "0,05" where a
// comma), "{list}" for what parts two degrees (", " or "; ").
inline std::vector<Scenario> walks(char16_t separator)
{
    using K = Step::Kind;
    const auto walk = [&](const char* name, std::vector<Step> steps) {
        for (Step& step : steps) {
            for (const auto& [mark, by] : {std::pair<Text, Text>{u"{sep}", Text(1, separator)},
                                           std::pair<Text, Text>{u"{apa}", separator == u',' ? u"0," : u"."},
                                           std::pair<Text, Text>{u"{list}", separator == u',' ? u"; " : u", "}})
                for (size_t at; (at = step.text.find(mark)) != Text::npos;) step.text.replace(at, mark.size(), by);
            if (step.kind == K::choose) step.text = design_button(platform::to_utf8(step.text));
            if (step.kind == K::press) step.text = question_button(platform::to_utf8(step.text));
        }
        Scenario s;
        s.name = name;
        s.steps = std::move(steps);
        return s;
    };
    return {
        walk("each design keeps its own boxes",
             {{K::choose, "", u"t2"}, {K::type, "effect", u"0.8"}, {K::type, "observed", u"2.45"},
              {K::choose, "", u"anova"}, {K::expect_box, "effect", u"0{sep}25"}, {K::expect_box, "observed", u""},
              {K::choose, "", u"chisq"}, {K::expect_box, "effect", u"0{sep}3"},
              {K::choose, "", u"t2"}, {K::expect_box, "effect", u"0.8"}, {K::expect_box, "observed", u"2.45"}}),
        walk("the chosen design shows itself chosen",
             {{K::expect_chosen, "", u"t 2 groups"}, {K::choose, "", u"anova"}, {K::expect_chosen, "", u"ANOVA"},
              {K::choose, "", u"t1"}, {K::expect_chosen, "", u"t 1 sample"}}),
        walk("boxes start in the user's separator and keep a typed comma where it is one",
             {{K::choose, "", u"t2"}, {K::expect_box, "alpha", u"0{sep}05"}, {K::expect_box, "power", u"0{sep}8"},
              {K::expect_box, "effect", u"0{sep}5"}, {K::type, "effect", u"0,3"}, {K::expect_box, "effect", u"0{sep}3"}}),
        walk("a separator in a whole number is said",
             {{K::choose, "", u"chisq"}, {K::type, "n", u"1.000"}, {K::press, "", u"power"},
              {K::expect_result, "", u"In TOTAL N, 1.000 was read as 1: a point reads as a decimal separator"}}),
        walk("a box not read in full is said, and copied",
             {{K::choose, "", u"t2"}, {K::type, "effect", u"0.5abc"}, {K::type, "n", u"100"}, {K::press, "", u"power"},
              {K::expect_result, "", u"In EFFECT SIZE d, 0.5abc was read as 0{sep}5: \"abc\" was ignored."},
              {K::expect_copy, "", u"d = 0{sep}50, \u03B1 = {apa}05, N = 100 (50 per group): power = 0{sep}6969"},
              {K::expect_copy, "", u"In EFFECT SIZE d, 0.5abc was read as 0{sep}5"}}),
        walk("the paragraph writes a level as the user's papers do",
             {{K::choose, "", u"t2"}, {K::press, "", u"n"},
              {K::expect_copy, "", u"d = 0{sep}50, \u03B1 = {apa}05, power = {apa}80. N = 128 (64 per group)"}}),
        walk("a typed N that cannot keep RATIO is said with its split",
             {{K::choose, "", u"t2"}, {K::type, "n", u"3"}, {K::press, "", u"power"},
              {K::expect_result, "", u"n1 = 1, n2 = 2: RATIO 1 cannot be kept at N = 3."}}),
        walk("a typed N that cannot make equal groups is said with its split",
             {{K::choose, "", u"anova"}, {K::type, "groups", u"4"}, {K::type, "n", u"102"}, {K::press, "", u"power"},
              {K::expect_result, "", u"2 groups of 26 and 2 of 25: 4 equal groups cannot be made at N = 102."}}),
        walk("a noncentrality beyond the domain is answered as a bound",
             {{K::choose, "", u"t2"}, {K::type, "n", u"1000000000"}, {K::press, "", u"power"},
              {K::expect_answer, "", u"power          > 1 \u2212 "},
              {K::expect_result, "", u"lies beyond 1000, the largest the program computes"}}),
        walk("the result typed is its own study",
             {{K::choose, "", u"t2"}, {K::type, "observed", u"2.45"}, {K::type, "observed_df", u"38"},
              {K::press, "", u"n"},
              {K::expect_result, "", u"observed t(38) = 2{sep}45: d = 0{sep}77, 95 % CI [0{sep}13, 1{sep}41]"},
              {K::type, "n", u"500"}, {K::press, "", u"power"},
              {K::expect_result, "", u"observed t(38) = 2{sep}45: d = 0{sep}77, 95 % CI [0{sep}13, 1{sep}41]"}}),
        walk("a regression's whole-model effect is R squared",
             {{K::choose, "", u"regression"}, {K::type, "observed", u"2.5"}, {K::type, "observed_df2", u"47"},
              {K::type, "predictors", u"2"}, {K::type, "n", u"50"}, {K::press, "", u"power"},
              {K::expect_result, "", u"observed F(2{list}47) = 2{sep}5: R\u00B2 = "}}),
        walk("opened again, the window holds no words from before",
             {{K::choose, "", u"t2"}, {K::type, "alpha", u"1.5"}, {K::type, "n", u"100"}, {K::press, "", u"power"},
              {K::expect_answer, "", u"\u03B1 must be between 0 and 1."}, {K::type, "alpha", u"0.05"},
              {K::reopen, "", u""}, {K::expect_answer, "", u""}, {K::expect_box, "alpha", u"0.05"}}),
    };
}

// Every scenario: the rows made with mpmath, then the refusals and the walks.
inline std::vector<Scenario> scenarios(char16_t separator = u'.')
{
    static const std::vector<Scenario> rows = [] {
        // A table's columns by name: name, design, question, a box's key for
        // what to type into it, exp_* for what the answer must show.
        std::vector<Scenario> out;
        for (const char* table : {power_rows_csv, discrete_power_rows_csv, correlation_power_rows_csv}) {
            std::istringstream in(table);
            std::string line;
            std::getline(in, line);
            std::vector<std::string> header;
            {
                std::istringstream h(line);
                for (std::string f; std::getline(h, f, ',');) header.push_back(f);
            }
            while (std::getline(in, line)) {
                if (line.empty()) continue;
                std::vector<std::string> f;
                std::istringstream fields(line);
                for (std::string s; std::getline(fields, s, ',');) f.push_back(s);
                f.resize(header.size());
                Scenario s{f[0], design_button(f[1]), question_button(f[2]), {}, {}, {}, {}};
                for (size_t k = 3; k < header.size(); ++k) {
                    if (f[k].empty()) continue;
                    if (header[k].rfind("exp_", 0) == 0) s.expected[header[k]] = f[k];
                    else s.boxes.push_back({header[k], widen(f[k])});
                }
                out.push_back(std::move(s));
            }
        }
        for (Scenario& s : refusals()) out.push_back(std::move(s));
        return out;
    }();
    std::vector<Scenario> all = rows;
    for (Scenario& s : walks(separator)) all.push_back(std::move(s));
    return all;
}

// What a walk's reading must be: the text itself for a box or the button
// chosen, the words within the answer, the notes or the paragraph (all of
// them, where none are expected).
inline std::string check_reading(const Step& step, const Text& read)
{
    Text flat = read;
    for (char16_t& c : flat)
        if (c == u'\n') c = u' ';
    const bool exact = step.kind == Step::Kind::expect_box || step.kind == Step::Kind::expect_chosen || step.text.empty();
    const bool ok = exact ? read == step.text : flat.find(step.text) != Text::npos;
    if (ok) return {};
    return "read \"" + platform::to_utf8(read) + "\" where " + (exact ? "" : "words with ") + "\"" +
           platform::to_utf8(step.text) + "\" were expected" + (step.key.empty() ? "" : " (" + step.key + ")");
}

// ---- reading the window's words --------------------------------------------

// A number as the window writes it, with either separator, a minus sign and
// e-notation; NAN where the text holds none. Read by the program's own parse,
// never the C library's, which follows the locale the test runs in.
inline double number_in(Text text)
{
    std::string ascii;
    for (char16_t c : text) {
        if (c == u',') c = u'.';
        if (c == u'\u2212') c = u'-';
        if ((c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' || c == u'e') ascii += char(c);
        else if (!ascii.empty()) break;
    }
    if (ascii.empty()) return NAN;
    return platform::parse(platform::from_utf8(ascii));
}

// Half a unit in the last digit the text shows, as a fraction of its value
// where it is written with significant digits.
inline double half_unit(const Text& shown, double value)
{
    Text digits;
    bool exponent = false;
    int after_point = -1;
    for (char16_t c : shown) {
        if (c == u'e') exponent = true;
        if (exponent) continue;
        if (c == u'.' || c == u',') after_point = 0;
        else if (c >= u'0' && c <= u'9' && after_point >= 0) ++after_point;
    }
    if (exponent) {
        // d.ddde-NN: the mantissa's last digit.
        const size_t e = shown.find(u'e');
        const Text mantissa = shown.substr(0, e);
        int decimals = 0;
        for (size_t k = mantissa.find_first_of(u".,"); k != Text::npos && k + 1 < mantissa.size(); ++k) ++decimals;
        const double scale = std::pow(10.0, std::floor(std::log10(std::fabs(value))));
        return 0.5 * std::pow(10.0, -decimals) * scale;
    }
    return 0.5 * std::pow(10.0, -std::max(after_point, 0));
}

// The answer's lines by name: "power" -> "0.801460".
inline std::map<Text, Text> lines_of(const Text& answer)
{
    std::map<Text, Text> out;
    size_t start = 0;
    while (start < answer.size()) {
        size_t end = answer.find(u'\n', start);
        if (end == Text::npos) end = answer.size();
        const Text line = answer.substr(start, end - start);
        const size_t gap = line.find(u"  ");
        if (gap != Text::npos) out[line.substr(0, gap)] = line.substr(line.find_first_not_of(u' ', gap));
        start = end + 1;
    }
    return out;
}

// What a scenario asks of the window's words; each failure in words.
inline std::vector<std::string> check(const Scenario& s, const Text& answer, const Text& result,
                                      const Text& distributions_words, const Text& curve_words)
{
    std::vector<std::string> failures;
    const auto fail = [&](const std::string& what) { failures.push_back(s.name + ": " + what); };
    const auto u8 = [](const Text& t) { return platform::to_utf8(t); };
    if (!s.refusal.empty()) {
        Text flat = answer;
        for (char16_t& c : flat)
            if (c == u'\n') c = u' ';
        if (flat.find(s.refusal) == Text::npos) fail("says " + u8(answer) + ", not " + u8(s.refusal));
        if (distributions_words.rfind(u"Power", 0) == 0 || curve_words.rfind(u"Power", 0) == 0)
            fail("pictures of an answer there is none of");
        return failures;
    }
    const std::map<Text, Text> lines = lines_of(answer);
    const auto expected = [&](const char* key, double& v) {
        const auto it = s.expected.find(key);
        if (it == s.expected.end()) return false;
        v = platform::parse(platform::from_utf8(it->second));
        return true;
    };
    // A value the window shows to its digits: within half a unit of the last.
    const auto shown_as = [&](const Text& name, const char* key, bool after_equals) {
        double want;
        if (!expected(key, want)) return;
        const auto it = lines.find(name);
        if (it == lines.end()) return fail("no line " + u8(name) + " in " + u8(answer));
        Text shown = it->second;
        if (after_equals) shown = shown.substr(shown.find(u"= ") + 2);
        if (!shown.empty() && shown[0] == u'\u00B1') shown.erase(0, 1);
        const double got = number_in(shown);
        if (!(std::fabs(got - want) <= half_unit(shown, want) * 1.0001 + 1e-300))
            fail(u8(name) + " " + u8(it->second) + ", expected " + s.expected.at(key));
    };
    const auto whole = [&](const Text& name, const char* key) {
        double want;
        if (!expected(key, want)) return;
        const auto it = lines.find(name);
        if (it == lines.end() || number_in(it->second) != want)
            fail(u8(name) + " " + (it == lines.end() ? std::string("missing") : u8(it->second)) + ", expected " +
                 s.expected.at(key));
    };
    // A power near 1 is written as its distance from 1.
    double power, beta;
    if (expected("exp_power", power) && expected("exp_beta", beta)) {
        const auto it = lines.find(u"power");
        if (it == lines.end()) fail("no power line");
        else if (it->second.rfind(u"1 \u2212 ", 0) == 0) {
            const Text shown = it->second.substr(4);
            if (!(std::fabs(number_in(shown) - beta) <= half_unit(shown, beta) * 1.0001)) fail("power " + u8(it->second));
            if (power < 0.999995) fail("power " + u8(it->second) + " is not that near 1");
        } else {
            shown_as(u"power", "exp_power", false);
        }
    }
    whole(u"total N", "exp_n");
    whole(u"every N from", "exp_every");
    shown_as(u"actual \u03B1", "exp_attained", false);
    // A discrete test's critical counts, as the line writes them.
    if (const auto it = s.expected.find("exp_critical_text"); it != s.expected.end()) {
        const auto line = lines.find(u"critical");
        if (line == lines.end() || line->second != widen(it->second))
            fail("critical " + (line == lines.end() ? std::string("missing") : u8(line->second)) + ", expected " + it->second);
    }
    whole(u"n1", "exp_n1");
    whole(u"n2", "exp_n2");
    whole(u"per group", "exp_per_group");
    for (const auto& [name, value] : lines)
        if (name.rfind(u"effect ", 0) == 0) shown_as(name, "exp_effect", false);
    shown_as(u"\u03B1", "exp_alpha", false);
    shown_as(u"noncentrality", "exp_noncentrality", true);
    shown_as(u"critical", "exp_critical", true);
    double df1, df2;
    if (expected("exp_df1", df1)) {
        const auto it = lines.find(u"df");
        Text second;
        if (it != lines.end() && it->second.find_first_of(u",;") != Text::npos)
            second = it->second.substr(it->second.find_first_of(u",;") + 1);
        if (it == lines.end() || number_in(it->second) != df1 ||
            (expected("exp_df2", df2) && number_in(second) != df2))
            fail("df " + (it == lines.end() ? std::string("missing") : u8(it->second)));
    }

    // The effects of a typed result, each with its estimate and interval to
    // the digits shown: "observed t(16) = 2.1: d = 0.99, 95 % CI [0.03, 1.92]",
    // further effects after ";". The rows name them in ASCII.
    const auto it = s.expected.find("exp_observed");
    if (it != s.expected.end()) {
        const std::map<std::string, Text> names = {
            {"d", u"d"}, {"f", u"f"}, {"f2", u"f\u00B2"}, {"eta2", u"partial \u03B7\u00B2"}, {"R2", u"R\u00B2"},
            {"partialR2", u"partial R\u00B2"}, {"w", u"w"}, {"rho", u"\u03C1"}, {"rho_fisher", u"\u03C1 by Fisher's z"},
            {"p", u"p"}, {"p1-p2", u"p1 \u2212 p2"}, {"h", u"h"}};
        double level = 0, bound = 0;
        expected("exp_level", level);
        const bool is_bound = expected("exp_low_bound", bound) && bound == 1;
        std::istringstream effects(it->second);
        for (std::string one; std::getline(effects, one, ';');) {
            std::istringstream parts(one);
            std::string key, estimate, low, high;
            parts >> key >> estimate >> low >> high;
            const Text name = names.count(key) ? names.at(key) : widen(key);
            const size_t at = result.find(u" " + name + u" = ");
            const size_t open = result.find(u"[", at), comma = result.find(u", ", open);
            if (at == Text::npos || open == Text::npos || comma == Text::npos) {
                fail("no " + key + " in " + u8(result));
                continue;
            }
            const size_t value = at + name.size() + 4;
            const auto within = [&](const Text& shown, const std::string& want, const char* what) {
                const double w = platform::parse(platform::from_utf8(want));
                if (!(std::fabs(number_in(shown) - w) <= half_unit(shown, w) * 1.0001 + 1e-12))
                    fail(key + " " + what + " " + u8(shown) + ", expected " + want + ", in " + u8(result));
            };
            within(result.substr(value, result.find(u", ", value) - value), estimate, "estimate");
            if (is_bound && result.substr(open + 1, comma - open - 1) != u"0") fail("the low end is not 0: " + u8(result));
            if (!is_bound) within(result.substr(open + 1, comma - open - 1), low, "low end");
            within(result.substr(comma + 2, result.find(u"]", comma) - comma - 2), high, "high end");
            const size_t percent = result.find(u" % CI", at);
            const double shown_level = number_in(result.substr(result.rfind(u' ', percent - 1) + 1));
            if (!(std::fabs(shown_level - 100 * level) < 1e-6)) fail("level in " + u8(result));
        }
    }

    // Both pictures say in words what they show, with the answer's power,
    // written as the answer writes it (nothing near 1 as 1), and its N.
    const auto n = lines.find(u"total N");
    const auto shown_power = lines.find(u"power");
    if (n != lines.end() && shown_power != lines.end()) {
        const Text said = shown_power->second + u" at N = " + n->second;
        if (distributions_words.rfind(u"Power " + said, 0) != 0)
            fail("the distributions picture says " + u8(distributions_words) + ", the answer " + u8(said));
        if (curve_words.find(said + u" marked") == Text::npos)
            fail("the power curve says " + u8(curve_words) + ", the answer " + u8(said));
    }
    return failures;
}

}  // namespace power_rows
