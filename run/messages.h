#pragma once
// What the user reads when a run cannot give a line.
#include <QString>

#include "engine/domain.h"
#include "platform/fault.h"

namespace run {

// An input outside the distribution's domain, naming the box it was typed in.
QString domain_message(const engine::DomainError& error, const QString& box);

// An arithmetic fault met on the way.
QString fault_message(platform::FaultKind kind);

}  // namespace run
