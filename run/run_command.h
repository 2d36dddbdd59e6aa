#pragma once
// The Run command's steps, over the few window services it needs, so that
// the same code serves the main window and the fuzzer. Knows no window.
#include <vector>

#include "platform/text.h"
#include "run/distribution.h"

namespace run {

using platform::Text;

enum class Box { Value, Numerator, Denominator };

// What the Run command reads of the main window.
class RunView {
public:
    virtual ~RunView() = default;
    virtual Text caption() const = 0;          // of lbl_value: the chosen distribution
    virtual Text text(Box box) const = 0;      // a box's text
    virtual Text name(Box box) const = 0;      // the caption of the box's row
    virtual char16_t decimal_separator() const = 0;  // of the user's regional settings
};

// One field of the P-value line.
struct Field {
    Text name;   // as the README names it: "upper tail", "both tails", ...
    Text four;   // its four decimals, as the line shows them
    Text exact;  // its exact value to four significant digits
    Area area;   // what it measures
};

// One value of the strip: a named area and its exact value.
struct TailValue {
    Text name;  // "lower tail", "upper tail", "both tails", ...
    Area area;
    engine::Probability value;
    Text exact;  // to four significant digits, as the strip shows it
};

// The question a run answered, for the critical values and the plot beside it.
struct Question {
    const Distribution* distribution = nullptr;
    double statistic = 0;
    double nu1 = 0, nu2 = 0;  // the degrees as read
};

// What a run gives the windows to show. Everything is computed before the
// windows are touched, so a fault or refusal leaves the main window as it was.
struct Outcome {
    enum class Kind { nothing, message, result };
    Kind kind = Kind::nothing;  // nothing: the caption names no distribution
    Text message;               // the refusal or fault, for a message box
    Text line;                  // the P-value line
    std::vector<Field> fields;  // the line's fields in its order
    engine::Probability p{};    // the p-value a paper reports (the distribution's p_field)
    std::vector<TailValue> tails;  // the strip's values in its order
    Text report;                // plain text for the clipboard: inputs, fields, a paper's line
    Question question;          // for the critical values at the user's alpha
    Text asked;                 // the question as read: "t(17) = 2.1", "F(4, 20) = 3", "z = 1.96"
    std::vector<Text> notes;    // what was read of a box whose text was not read in full
};

Outcome run_command(const RunView& view);

// The strip's text: each tail's name and exact value, one to a line.
Text exact_lines(const Outcome& outcome);

// The notes, one to a line, each broken into lines of at most `columns`
// characters.
Text note_lines(const Outcome& outcome, size_t columns);

}  // namespace run
