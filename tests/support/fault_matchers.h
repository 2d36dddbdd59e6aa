#pragma once
#include <gtest/gtest.h>

#include <functional>

#include "engine/numeric/fault.h"

// Runs the call and reports the fault it raised, or none.
inline std::optional<numeric::FaultKind> fault_of(const std::function<void()>& call)
{
    try {
        call();
    } catch (const numeric::Fault& f) {
        return f.kind();
    }
    return std::nullopt;
}
