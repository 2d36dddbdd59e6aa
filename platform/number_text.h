#pragma once
// Conversions between box texts and numbers.
#include <QChar>
#include <QString>

namespace platform {

// The leading number of a text: blanks, an optional sign, digits with at most
// one "." (the only decimal point, whatever the locale). The rest of the text
// is ignored; a text with no digit gives 0. A number beyond the range of a
// double raises Fault(Overflow); one too small to hold gives 0.
double parse(const QString& text);

// Pattern "0.0000": sign, integer digits, separator, four decimals rounded
// half away from zero. A value that rounds to zero shows no minus sign.
QString render4(double value, QChar separator);

// The decimal separator of the user's locale.
QChar locale_decimal_separator();

}  // namespace platform
