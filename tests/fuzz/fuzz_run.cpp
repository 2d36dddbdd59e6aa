// The Run command from a caption and three box texts to a P-value line or a
// message, the routines included.
#include <boost/math/special_functions/erf.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fuzz_checks.h"
#include "platform/number_text.h"
#include "run/run_command.h"

namespace {

using platform::Text;

Text caption_of(run::DistributionId id) { return run::describe(id).caption; }

class RecordingView : public run::RunView {
public:
    Text caption_text, texts[3];
    char16_t separator = u'.';

    Text caption() const override { return caption_text; }
    Text text(run::Box box) const override { return texts[int(box)]; }
    Text name(run::Box box) const override { return box == run::Box::Value ? caption_text : u"DEGREES OF FREEDOM"; }
    char16_t decimal_separator() const override { return separator; }
};

// The labels of each line, the value texts stood in by V.
std::string line_shape(const Text& caption)
{
    const std::string v = "(0[.,][0-9]{4}|1[.,]0000)";
    if (caption == caption_of(run::DistributionId::chi_square)) return "  P = " + v;
    if (caption == caption_of(run::DistributionId::normal)) return "  P = " + v + "   P = " + v + "   P = " + v + "   P = " + v;
    if (caption == caption_of(run::DistributionId::t)) return "   P = " + v + "       P = " + v;
    return "  P = " + v + "        P = " + v;
}

// Each field's value from Boost.Math's incomplete functions in long double,
// whose range holds t^2 and nu1 F for any double (its t and F distributions
// overflow there and answer 0 for a tail near 1/2 at tiny nu). Each tail is
// taken on its own side, so that the small ones keep their digits.
std::vector<long double> exact_values(const RecordingView& view)
{
    namespace bm = boost::math;
    const long double a = platform::parse(view.texts[0]), b = platform::parse(view.texts[1]),
                      c = platform::parse(view.texts[2]);
    if (view.caption_text == caption_of(run::DistributionId::chi_square)) return {bm::gamma_q(b / 2, a / 2)};
    if (view.caption_text == caption_of(run::DistributionId::normal)) {
        const long double w = std::fabs(a) / std::sqrt(2.0L);
        const long double within = bm::erf(w), beyond = bm::erfc(w);
        return {within / 2, within, beyond / 2, beyond};
    }
    // I_x(p, q) and its complement with x = u/(u + v), each from whichever of
    // x and 1 - x keeps its digits.
    auto ibeta = [](long double p, long double q, long double u, long double v) {
        const long double x = u / (u + v), y = v / (u + v);
        return x < y ? std::pair{bm::ibeta(p, q, x), bm::ibetac(p, q, x)}
                     : std::pair{bm::ibetac(q, p, y), bm::ibeta(q, p, y)};
    };
    long double lower, upper;
    if (view.caption_text == caption_of(run::DistributionId::t)) {
        const auto [beyond, within] = ibeta(b / 2, 0.5L, b, a * a);
        const long double tail = beyond / 2, rest = 0.5L + within / 2;
        lower = a > 0 ? rest : tail;
        upper = a > 0 ? tail : rest;
        return {upper, 2 * std::min(lower, upper)};
    }
    std::tie(upper, lower) = ibeta(c / 2, b / 2, c, b * a);
    return {upper, 2 * std::min(lower, upper)};
}

std::string e_text(long double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6Le", v);
    return buffer;
}

// The number an exact text stands for; "< 1e-..." stands for none.
bool read_exact(Text text, long double& value)
{
    std::string s = platform::to_utf8(text);
    for (char& ch : s)
        if (ch == ',') ch = '.';
    if (s.empty() || s[0] == '<') return false;
    value = std::strtold(s.c_str(), nullptr);
    return true;
}

// Every value of the line is the exact one to four decimals, give or take the
// routines' own approximations (well below 1e-6), and every exact value is
// the oracle's to four significant digits.
void check_values(const RecordingView& view, const run::Outcome& outcome)
{
    std::vector<long double> exact;
    try {
        exact = exact_values(view);
    } catch (const std::exception&) {
        return;  // outside what the oracle computes
    }
    std::string line = platform::to_utf8(outcome.line);
    for (char& c : line)
        if (c == ',') c = '.';
    std::vector<double> shown;
    for (size_t at = line.find("P = "); at != std::string::npos; at = line.find("P = ", at + 4))
        shown.push_back(std::stod(line.substr(at + 4, 6)));
    const std::string inputs = platform::to_utf8(view.texts[0].substr(0, 20) + u" | " + view.texts[1].substr(0, 20) +
                                                 u" | " + view.texts[2].substr(0, 20));
    require(shown.size() == exact.size() && outcome.fields.size() == exact.size(), "one field for each value", line);
    for (size_t k = 0; k < shown.size(); ++k) {
        const run::Field& field = outcome.fields[k];
        require(std::fabs(shown[k] - static_cast<double>(exact[k])) <= 0.00005 + 1e-6, "the shown value is right",
                line + " | exact " + std::to_string(static_cast<double>(exact[k])) + " | " + inputs);
        require(line.find(platform::to_utf8(field.four)) != std::string::npos, "the field is the line's", line);

        // Half a unit of the fourth digit is at most 5e-4 of the shown value.
        // Boost's ibeta loses its digits some 10^50 above long double's floor
        // (7.36e-4890 for 5.22e-4890 at F = 1901 with 46 and 10016 degrees):
        // the committed 50-digit rows hold the tails down there.
        long double value;
        if (!read_exact(field.exact, value) || exact[k] < 1e-4000L) continue;
        require(std::fabs(value - exact[k]) <= 5.0001e-4L * value + 1e-9L * exact[k], "the exact value is right",
                platform::to_utf8(field.name + u" " + field.exact) + " | oracle " + e_text(exact[k]) +
                    " | " + inputs);
    }
}

// Whether the boxes hold a question the distribution answers: degrees above 0
// up to 1e9 (whole or not), a chi-square value or F of 0 or more, any t or z
// a double holds.
bool in_domain(const RecordingView& view)
{
    double v[3];
    try {
        for (int k = 0; k < 3; ++k) v[k] = platform::parse(view.texts[k]);
    } catch (const std::exception&) {
        return false;  // a number beyond a double is reported as such
    }
    auto degrees = [](double nu) { return nu > 0 && nu <= 1e9; };
    if (view.caption_text == caption_of(run::DistributionId::chi_square)) return v[0] >= 0 && degrees(v[1]);
    if (view.caption_text == caption_of(run::DistributionId::t)) return degrees(v[1]);
    if (view.caption_text == caption_of(run::DistributionId::f)) return v[0] >= 0 && degrees(v[1]) && degrees(v[2]);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    // First byte: the caption (mostly one of the four) and the separator.
    const Text captions[] = {caption_of(run::DistributionId::chi_square), caption_of(run::DistributionId::normal), caption_of(run::DistributionId::t), caption_of(run::DistributionId::f),
                             u"CHI-SQUARED VALUE"};
    RecordingView view;
    view.caption_text = captions[(data[0] & 0x7f) % 5];
    view.separator = data[0] & 0x80 ? u',' : u'.';

    // The rest: three box texts separated by newlines.
    const Text rest = platform::from_utf8(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    size_t from = 0;
    for (int k = 0; k < 3 && from <= rest.size(); ++k) {
        const size_t end = std::min(rest.find(u'\n', from), rest.size());
        view.texts[k] = rest.substr(from, end - from);
        from = end + 1;
    }

    // Time is bounded by the work: the engine tests count the terms at the
    // slowest inputs, and -timeout stops a run that would not end.
    const run::Outcome outcome = run::run_command(view);

    using Kind = run::Outcome::Kind;
    if (view.caption_text == captions[4]) {
        require(outcome.kind == Kind::nothing, "an unknown caption runs nothing");
    } else {
        require(outcome.kind != Kind::nothing, "every run ends in a line or a message");
    }
    if (outcome.kind == Kind::result) {
        require(matches(outcome.line, line_shape(view.caption_text)), "the line is well formed", outcome.line);
        check_values(view, outcome);
        for (const run::Field& field : outcome.fields)
            require(outcome.report.find(field.exact) != Text::npos, "the report holds each exact value", field.exact);
        for (const run::TailValue& tail : outcome.tails)
            require(outcome.report.find(tail.name + u": ") != Text::npos, "the report names each tail", tail.name);
    }
    if (outcome.kind == Kind::message) {
        require(!outcome.message.empty(), "a message says something");
        require(outcome.fields.empty() && outcome.line.empty(), "a message carries no result");
        // A refusal names the box it is about, as the row's label names it.
        const Text box = outcome.message.substr(0, std::min(outcome.message.find(u" must"),
                                                            outcome.message.find(u" is too large")));
        require(box == view.caption_text.substr(0, view.caption_text.find_last_not_of(u' ') + 1) ||
                    box == u"DEGREES OF FREEDOM",
                "a refusal names its box", outcome.message);
        require(!in_domain(view), "every question inside the domain is answered",
                outcome.message + u" | " + view.texts[0].substr(0, 20) + u" | " + view.texts[1].substr(0, 20) +
                    u" | " + view.texts[2].substr(0, 20));
    }
    return 0;
}
