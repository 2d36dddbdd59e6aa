#include "run/messages.h"

namespace run {

QString domain_message(const engine::DomainError& error, const QString& box)
{
    switch (error.rule) {
    case engine::DomainRule::positive: return QStringLiteral("%1 must be greater than 0.").arg(box);
    case engine::DomainRule::not_negative: return QStringLiteral("%1 must not be negative.").arg(box);
    case engine::DomainRule::at_most: break;
    }
    return QStringLiteral("%1 is too large: the largest accepted value is %2.")
        .arg(box)
        .arg(error.largest, 0, 'f', 0);
}

QString fault_message(platform::FaultKind kind)
{
    return QStringLiteral("The calculation cannot be done with these numbers: it met %1.")
        .arg(QString::fromStdString(platform::describe(kind)));
}

}  // namespace run
