#pragma once
// The captions that record the chosen distribution (written by the selection
// commands, compared by Run) and name the degrees rows. The trailing
// blank of the chi-square caption is part of it.
#include <QString>

namespace run::captions {

inline const QString chi_square = QStringLiteral("CHI-SQUARED VALUE ");
inline const QString normal = QStringLiteral("z VALUE");
inline const QString t = QStringLiteral("t VALUE");
inline const QString f = QStringLiteral("F VALUE");

inline const QString degrees = QStringLiteral("DEGREES OF FREEDOM");
inline const QString numerator = QStringLiteral("D.F.(NUMERATOR)");
inline const QString denominator = QStringLiteral("D.F.(DENOMINATOR)");

}  // namespace run::captions
