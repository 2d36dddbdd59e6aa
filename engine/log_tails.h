#pragma once
// Tails as natural logarithms in extended precision, as the incomplete
// functions compute them: the smaller tail directly, the larger one as its
// complement, which keeps every digit because the larger is at least 1/2.
#include <functional>
#include <limits>

#include "engine/probability.h"

namespace engine {

// The tails keep their digits by working in x87 extended (64-bit mantissa)
// or IEEE quadruple (113-bit) precision; where long double is a plain double
// the series would lose them silently, so such a build must not compile.
static_assert(std::numeric_limits<long double>::digits == 64 || std::numeric_limits<long double>::digits == 113,
              "the engine needs long double with a 64- or 113-bit mantissa");

struct LogTails {
    long double lower, upper;  // natural logarithms
};

// ln(1 - e^l) for l <= 0, without the cancellation of either form alone.
long double log_complement(long double l);

// The pair from the smaller tail's logarithm.
LogTails from_lower(long double log_lower);
LogTails from_upper(long double log_upper);

// The pair from a tail computed as itself, the smaller one where it can:
// `side(upper)` gives ln of the upper or the lower tail, the one guessed
// smaller is computed, and the other instead where it comes out above 0.9,
// beyond which its complement would keep less than all but a tenth of a digit.
LogTails from_smaller_side(bool upper_guess, const std::function<long double(bool upper)>& side);

// To doubles, the value from the logarithm. A logarithm beyond a double's
// range is kept as the lowest double, never as -infinity, which would say 0.
Probability probability_from_log(long double l);
Tails rounded(const LogTails& tails);

}  // namespace engine
