#pragma once
// What a box held that was not read in full, said beside the answer in the
// same words by every window: "In DEGREES OF FREEDOM, 2,5 was read as 2: a
// degree of freedom takes a point."
#include "platform/text.h"

namespace run {

using platform::Text;

// A text without the blanks and tabs around it.
Text trimmed(Text text);

// A typed text as a note quotes it: trimmed, and cut short where it is long.
Text quoted(const Text& text);

// "In NAME, TEXT was read as VALUE: WHY."
Text read_note(const Text& name, const Text& text, double value, const Text& why, char16_t separator);

}  // namespace run
