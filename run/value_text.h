#pragma once
#include <QString>

namespace run {

// A probability as shown: four decimals with the user's decimal separator.
QString value_text(double value);

// A comma in the second place becomes a point; says whether it did.
bool repair_comma(QString& text);

// The second text is looked at only when the first was repaired.
void repair_pair(QString& first, QString& second);

}  // namespace run
