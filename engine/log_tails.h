#pragma once
// Tails as natural logarithms in extended precision, as the incomplete
// functions compute them: the smaller tail directly, the larger one as its
// complement, which keeps every digit because the larger is at least 1/2.
#include "engine/probability.h"

namespace engine {

struct LogTails {
    long double lower, upper;  // natural logarithms
};

// ln(1 - e^l) for l <= 0, without the cancellation of either form alone.
long double log_complement(long double l);

// The pair from the smaller tail's logarithm.
LogTails from_lower(long double log_lower);
LogTails from_upper(long double log_upper);

// To doubles, the value from the logarithm.
Probability probability_from_log(long double l);
Tails rounded(const LogTails& tails);

}  // namespace engine
