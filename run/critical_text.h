#pragma once
#include <functional>

#include "platform/text.h"
#include "run/run_command.h"

namespace run {

// The level the box holds, read as every box reads it ("1e-10" too), with a
// point or a comma ("0,05"); 0 where it holds no number strictly between 0
// and 1.
double alpha_of(const Text& alpha_text);

// The statistic at which the upper tail is `level`: its value, and its text
// to six significant digits as the strip shows it ("2.10982"). Beyond a
// double's range the value is NaN and the text its bound ("> 1.79769e+308",
// "< 4.94066e-324"); where the engine cannot say, "cannot be computed".
struct CriticalValue {
    double value;
    Text text;
};
CriticalValue critical_value(const Question& question, double level, char16_t separator);
// The same from a quantile already asked for (it may raise the engine's faults).
CriticalValue critical_value(const std::function<double()>& quantile, char16_t separator);

// The strip's critical values: for each tail the strip names that has one,
// the statistic at which that tail is alpha, named as in the strip, to six
// significant digits with the user's separator, one to a line ("lower tail
// -1.73961", "upper tail 1.73961", "both tails ±2.10982" for t with 17
// degrees at 0.05); the two-tailed values at alpha/2 on each side. The box
// may hold e-notation ("1e-10"). Where it holds no number strictly between 0
// and 1, the words that say so. Never throws for any box text.
Text critical_text(const Question& question, const Text& alpha_text, char16_t separator);

// The same for the clipboard report on one line: the level as typed, then
// the values.
Text critical_report(const Question& question, const Text& alpha_text, char16_t separator);

// Whether the report's p lies below the level in the box, in words: "p =
// 0.05096 ≥ α = 0.05: not significant at this level", "p = 0.02548 < α =
// 0.05: significant at this level"; nothing while the box holds no level.
Text verdict_text(const Outcome& outcome, const Text& alpha_text, char16_t separator);

// "p = 0.05096", or a bound as a bound: "p < 1e-1000000000".
Text p_equals(const Text& exact);

}  // namespace run
