#pragma once
#include <gtest/gtest.h>

#include <functional>

#include "platform/fault.h"

// Runs the call and reports the fault it raised, or none.
inline std::optional<platform::FaultKind> fault_of(const std::function<void()>& call)
{
    try {
        call();
    } catch (const platform::Fault& f) {
        return f.kind();
    }
    return std::nullopt;
}
