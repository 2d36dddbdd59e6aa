#include "run/input_checks.h"

#include <cmath>

namespace run {

void require_degrees(double value, const QString& box, double largest)
{
    if (value < 1 || value != std::floor(value))
        throw Refusal{QStringLiteral("%1 must be a whole number of at least 1.").arg(box)};
    require_at_most(value, box, largest);
}

void require_at_most(double value, const QString& box, double largest)
{
    if (value > largest)
        throw Refusal{QStringLiteral("%1 is too large: the largest accepted value is %2.")
                          .arg(box)
                          .arg(largest, 0, 'f', 0)};
}

void require_not_negative(double value, const QString& box)
{
    if (value < 0) throw Refusal{QStringLiteral("%1 must not be negative.").arg(box)};
}

void require_positive(double value, const QString& box)
{
    if (!(value > 0)) throw Refusal{QStringLiteral("%1 must be greater than 0.").arg(box)};
}

QString fault_message(platform::FaultKind kind)
{
    return QStringLiteral("The calculation cannot be done with these numbers: it met %1.")
        .arg(QString::fromStdString(platform::describe(kind)));
}

}  // namespace run
