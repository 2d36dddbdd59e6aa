#pragma once
// Run-time faults of the arithmetic. A fault is raised at the operation that
// meets it, so no infinity or NaN ever reaches a later step.
#include <stdexcept>
#include <string>

namespace numeric {

enum class FaultKind {
    DivisionByZero,   // a nonzero number divided by zero
    ZeroByZero,       // zero divided by zero
    Overflow,         // a result beyond the range of a double
    Underflow,        // a result that is not 0 but below the smallest double
    SqrtOfNegative,
    LogOfNonPositive,
    PowerDomain,      // zero to a negative power, or a negative base to a fractional power
    NoConvergence,    // an iteration that did not settle within its bound
    OutsideDomain,    // an inner routine called outside its domain: a fault of the caller
};

class Fault : public std::runtime_error {
public:
    explicit Fault(FaultKind kind);
    FaultKind kind() const noexcept { return kind_; }

private:
    FaultKind kind_;
};

// The fault in plain words, fit to follow "The calculation met ".
std::string describe(FaultKind kind);

}  // namespace numeric
