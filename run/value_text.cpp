#include "run/value_text.h"

#include "platform/number_text.h"

namespace run {

QString value_text(double value)
{
    return platform::render4(value, platform::locale_decimal_separator());
}

bool repair_comma(QString& text)
{
    if (text.size() < 2 || text[1] != u',') return false;
    text[1] = u'.';
    return true;
}

void repair_pair(QString& first, QString& second)
{
    if (repair_comma(first)) repair_comma(second);
}

}  // namespace run
