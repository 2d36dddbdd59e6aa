#pragma once
// The captions that record the chosen distribution (written by the selection
// commands, compared by Run) and name the degrees rows. The trailing
// blank of the chi-square caption is part of it.
#include "platform/text.h"

namespace run::captions {

inline const platform::Text chi_square = u"CHI-SQUARED VALUE ";
inline const platform::Text normal = u"z VALUE";
inline const platform::Text t = u"t VALUE";
inline const platform::Text f = u"F VALUE";

inline const platform::Text degrees = u"DEGREES OF FREEDOM";
inline const platform::Text numerator = u"D.F.(NUMERATOR)";
inline const platform::Text denominator = u"D.F.(DENOMINATOR)";

}  // namespace run::captions
