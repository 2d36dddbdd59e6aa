#pragma once
#include "platform/text.h"

namespace run {

using platform::Text;

// A probability as shown: four decimals with the given decimal separator.
Text value_text(double value, char16_t separator);

// A comma in the second place becomes a point; says whether it did.
bool repair_comma(Text& text);

// The second text is looked at only when the first was repaired.
void repair_pair(Text& first, Text& second);

}  // namespace run
