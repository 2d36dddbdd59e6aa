#pragma once
#include "engine/probability.h"
#include "platform/text.h"

namespace run {

using platform::Text;

// A probability to four significant digits as statistics programs print it:
// from 0.001 on as a decimal ("0.02546", "0.5000", "1.000"), below it in
// e-notation with at least two exponent digits ("2.867e-07"), from its
// logarithm below the smallest double ("2.071e-1088"); "0" only for 0.
// Beyond 10^-1000000000 four digits are no longer held, and the text says
// "< 1e-1000000000".
Text exact_text(const engine::Probability& p, char16_t separator);

// A p-value as a paper reports it: three decimals without the leading zero
// ("= .051"), "< .001" below, "> .999" above.
Text apa_p(double p, char16_t separator);

// A number shortest first: whole numbers and short decimals as typed would
// show them ("17", "17.34", "1000000000"); for degrees and the like.
Text short_number(double value, char16_t separator);

// Two decimals, as a paper gives a statistic ("2.10", "-1.96").
Text two_decimals(double value, char16_t separator);

}  // namespace run
