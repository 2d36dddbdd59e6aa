#include "run/messages.h"

#include <cmath>

#include "platform/number_text.h"
#include "run/exact_text.h"

namespace run {

Text domain_message(const engine::DomainError& error, const Text& box)
{
    switch (error.rule) {
    case engine::DomainRule::positive: return box + u" must be greater than 0.";
    case engine::DomainRule::not_negative: return box + u" must not be negative.";
    case engine::DomainRule::probability: return box + u" must be between 0 and 1";
    case engine::DomainRule::between:
        return box + u" must lie between " + short_number(error.smallest, u'.') + u" and " +
               short_number(error.largest, u'.') + u".";
    case engine::DomainRule::at_most: break;
    }
    const Text largest = platform::whole(static_cast<long long>(std::floor(error.largest)));
    return box + u" is too large: the largest accepted value is " + largest + u".";
}

Text fault_message(numeric::FaultKind kind)
{
    return u"The calculation cannot be done with these numbers: it met " + platform::from_utf8(numeric::describe(kind)) +
           u".";
}

}  // namespace run
