// The Run command from a caption and three box texts to a P-value line or a
// message, the routines included.
#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "platform/number_text.h"
#include "run/captions.h"
#include "run/run_command.h"

namespace {

using platform::Text;

class RecordingView : public run::RunView {
public:
    Text caption_text, texts[3];
    char16_t separator = u'.';
    int swaps = 0, lines = 0, messages = 0;
    Text line, message;

    Text caption() const override { return caption_text; }
    Text text(run::Box box) const override { return texts[int(box)]; }
    Text name(run::Box box) const override { return box == run::Box::Value ? caption_text : u"DEGREES OF FREEDOM"; }
    char16_t decimal_separator() const override { return separator; }
    void swap_windows() override { ++swaps; }
    void show_line(const Text& l) override
    {
        require(swaps == 1, "the windows swap before the line is shown");
        line = l;
        ++lines;
    }
    void show_message(const Text& m) override
    {
        require(swaps == 0, "a message comes before any window swap");
        message = m;
        ++messages;
    }
};

// The labels of each line, the value texts stood in by V.
std::string line_shape(const Text& caption)
{
    const std::string v = "(0[.,][0-9]{4}|1[.,]0000)";
    if (caption == run::captions::chi_square) return "  P = " + v;
    if (caption == run::captions::normal) return "  P = " + v + "   P = " + v + "   P = " + v + "   P = " + v;
    if (caption == run::captions::t) return "   P = " + v + "       P = " + v;
    return "  P = " + v + "        P = " + v;
}

// The values a line should show, from Boost.Math's incomplete functions in
// long double, whose range holds t^2 and nu1 F for any double (its t and F
// distributions overflow there and answer 0 for a tail near 1/2 at tiny nu).
std::vector<double> exact_values(const RecordingView& view)
{
    namespace bm = boost::math;
    const long double a = platform::parse(view.texts[0]), b = platform::parse(view.texts[1]),
                      c = platform::parse(view.texts[2]);
    if (view.caption_text == run::captions::chi_square)
        return {static_cast<double>(bm::gamma_q(b / 2, a / 2))};
    if (view.caption_text == run::captions::normal) {
        const double u = bm::cdf(bm::normal(), std::fabs(static_cast<double>(a))) - 0.5;
        return {u, 2 * u, 0.5 - u, 1 - 2 * u};
    }
    // I_x(p, q) with x = u/(u + v), from whichever of x and 1 - x is the smaller.
    auto ibeta = [](long double p, long double q, long double u, long double v) {
        const long double x = u / (u + v), y = v / (u + v);
        return x < y ? bm::ibeta(p, q, x) : bm::ibetac(q, p, y);
    };
    long double upper;
    if (view.caption_text == run::captions::t) {
        const long double tail = ibeta(b / 2, 0.5L, b, a * a) / 2;
        upper = a > 0 ? tail : 1 - tail;
    } else {
        upper = ibeta(c / 2, b / 2, c, b * a);
    }
    const double C = static_cast<double>(1 - upper);
    return {1 - C, 2 * std::min(C, 1 - C)};
}

// Every value of the line is the exact one to four decimals, give or take the
// routines' own approximations (well below 1e-6).
void check_values(const RecordingView& view)
{
    std::vector<double> exact;
    try {
        exact = exact_values(view);
    } catch (const std::exception&) {
        return;  // outside what the oracle computes
    }
    std::string line = platform::to_utf8(view.line);
    for (char& c : line)
        if (c == ',') c = '.';
    std::vector<double> shown;
    for (size_t at = line.find("P = "); at != std::string::npos; at = line.find("P = ", at + 4))
        shown.push_back(std::stod(line.substr(at + 4, 6)));
    const std::string inputs = platform::to_utf8(view.texts[0].substr(0, 20) + u" | " + view.texts[1].substr(0, 20) +
                                                 u" | " + view.texts[2].substr(0, 20));
    require(shown.size() == exact.size(), "one field for each value", line);
    for (size_t k = 0; k < shown.size(); ++k)
        require(std::fabs(shown[k] - exact[k]) <= 0.00005 + 1e-6, "the shown value is right",
                line + " | exact " + std::to_string(exact[k]) + " | " + inputs);
}

// Whether the boxes hold a question the distribution answers: degrees above 0
// up to 1e9 (whole or not), a chi-square value or F of 0 or more, any t. The
// normal routine has no domain of its own but overflows beyond |z| = 1.3e154.
bool in_domain(const RecordingView& view)
{
    double v[3];
    try {
        for (int k = 0; k < 3; ++k) v[k] = platform::parse(view.texts[k]);
    } catch (const std::exception&) {
        return false;  // a number beyond a double is reported as such
    }
    auto degrees = [](double nu) { return nu > 0 && nu <= 1e9; };
    if (view.caption_text == run::captions::chi_square) return v[0] >= 0 && degrees(v[1]);
    if (view.caption_text == run::captions::t) return degrees(v[1]);
    if (view.caption_text == run::captions::f) return v[0] >= 0 && degrees(v[1]) && degrees(v[2]);
    return std::fabs(v[0]) < 1e154;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    // First byte: the caption (mostly one of the four) and the separator.
    const Text captions[] = {run::captions::chi_square, run::captions::normal, run::captions::t, run::captions::f,
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
    run::run_command(view);

    require(view.lines + view.messages <= 1, "one line or one message at most");
    if (view.caption_text == captions[4]) {
        require(view.lines + view.messages + view.swaps == 0, "an unknown caption runs nothing");
    } else {
        require(view.lines + view.messages == 1, "every run ends in a line or a message");
    }
    if (view.lines) {
        require(matches(view.line, line_shape(view.caption_text)), "the line is well formed", view.line);
        check_values(view);
    }
    if (view.messages) {
        require(!view.message.empty(), "a message says something");
        require(!in_domain(view), "every question inside the domain is answered",
                view.message + u" | " + view.texts[0].substr(0, 20) + u" | " + view.texts[1].substr(0, 20) + u" | " +
                    view.texts[2].substr(0, 20));
    }
    return 0;
}
