#pragma once
// Checks made before a routine starts, so that a run never computes from
// input that would give a wrong result or run too long.
#include <QString>

#include "platform/fault.h"

namespace run {

// A run refused before computing; the message says why, naming the box.
struct Refusal {
    QString message;
};

void require_degrees(double value, const QString& box, double largest);
void require_at_most(double value, const QString& box, double largest);
void require_not_negative(double value, const QString& box);
void require_positive(double value, const QString& box);

QString fault_message(platform::FaultKind kind);

}  // namespace run
