#pragma once

namespace engine {

// ln Gamma(z + 1) - ((z + 1/2) ln z - z + ln sqrt(2 pi)), the error of
// Stirling's formula, for z > 0 in extended precision. Small where the
// log-gamma is huge, it lets a ratio of gamma functions be formed without
// the cancellation of their logarithms.
long double stirling_error(long double z);

// From here on Stirling's series answers; below, the log-gamma does.
inline constexpr long double stirling_series_from = 20;

}  // namespace engine
