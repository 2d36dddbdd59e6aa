#include "run/value_text.h"

#include "platform/number_text.h"

namespace run {

Text value_text(double value, char16_t separator) { return platform::render4(value, separator); }

bool repair_comma(Text& text)
{
    if (text.size() < 2 || text[1] != u',') return false;
    text[1] = u'.';
    return true;
}

void repair_pair(Text& first, Text& second)
{
    if (repair_comma(first)) repair_comma(second);
}

}  // namespace run
