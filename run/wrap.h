#pragma once
#include <cstddef>

#include "platform/text.h"

namespace run {

using platform::Text;

// The text broken at blanks into lines of at most `columns` characters, its
// own line ends kept, for a label of a fixed width in a face whose
// characters are all one width; a word longer than a line is broken where
// the line ends.
Text wrapped(const Text& text, size_t columns);

}  // namespace run
