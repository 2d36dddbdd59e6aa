#pragma once

namespace engine {

// Which evaluation answered: the distribution's own closed series, or the
// incomplete gamma or beta function where that series cannot give a full
// double (overflow, lost digits, too many passes, fractional degrees).
enum class Evaluation { series, incomplete_function };

// The largest degrees of freedom any distribution accepts.
inline constexpr double largest_degrees = 1e9;

}  // namespace engine
