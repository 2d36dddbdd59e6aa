#include "engine/domain.h"

namespace engine {

DomainError::DomainError(Argument argument, DomainRule rule, double largest)
    : std::domain_error("argument outside the domain of the distribution"),
      argument(argument), rule(rule), largest(largest)
{
}

void require_probability(double p)
{
    if (!(p > 0 && p < 1)) throw DomainError(Argument::probability, DomainRule::probability);
}

void require_degrees(double nu, Argument argument, double largest)
{
    if (!(nu > 0)) throw DomainError(argument, DomainRule::positive);
    if (nu > largest) throw DomainError(argument, DomainRule::at_most, largest);
}

}  // namespace engine
