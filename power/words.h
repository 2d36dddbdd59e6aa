#pragma once
// The power window's answer in words, as the answer block, the pictures and
// the paragraph write it, each with the user's decimal separator.
#include "power/answer.h"

namespace power {

// A power to six significant digits, or its distance from 1 where those
// would round to 1 ("1 − 3.2e-15", "1 − 4.1e-4000"), and "> 1 − ..." where
// the noncentrality lay beyond the engine's domain. The answer block, the
// pictures and the paragraph all write a power so: nothing short of 1 is 1.
Text power_text(const Test& test, char16_t separator);

// The answer block: labelled lines, the quantity found first.
Text answer_lines(const PowerAnswer& a, char16_t separator);

// The notes, then the result typed: "observed t(38) = 2.45: d = 0.77, 95 % CI [0.13, 1.41]".
Text result_lines(const PowerAnswer& a, char16_t separator);

// A paragraph for a methods section: the analysis, every input and output,
// the notes, and the result typed.
Text paragraph(const PowerAnswer& a, char16_t separator);

// The critical values as the answer and the pictures write them: "t = ±1.97897".
Text critical_words(const PowerAnswer& a, int digits, char16_t separator);

}  // namespace power
