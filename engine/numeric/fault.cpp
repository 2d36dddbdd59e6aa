#include "engine/numeric/fault.h"

namespace numeric {

Fault::Fault(FaultKind kind) : std::runtime_error(describe(kind)), kind_(kind) {}

std::string describe(FaultKind kind)
{
    switch (kind) {
    case FaultKind::DivisionByZero: return "a division by zero";
    case FaultKind::ZeroByZero: return "zero divided by zero";
    case FaultKind::Overflow: return "a number too large to hold (overflow)";
    case FaultKind::Underflow: return "a number too small to hold (underflow)";
    case FaultKind::SqrtOfNegative: return "the square root of a negative number";
    case FaultKind::LogOfNonPositive: return "the logarithm of zero or of a negative number";
    case FaultKind::PowerDomain: return "a power that is not defined (zero to a negative power)";
    case FaultKind::NoConvergence: return "a series that does not settle";
    case FaultKind::OutsideDomain: return "a function outside the arguments it is defined for";
    }
    return "an arithmetic fault";
}

}  // namespace numeric
