#pragma once
// What the user reads when a run cannot give a line.
#include "engine/domain.h"
#include "engine/numeric/fault.h"
#include "platform/text.h"

namespace run {

using platform::Text;

// An input outside the distribution's domain, naming the box it was typed in.
Text domain_message(const engine::DomainError& error, const Text& box);

// An arithmetic fault met on the way.
Text fault_message(numeric::FaultKind kind);

}  // namespace run
