#pragma once
// The inputs a distribution routine accepts. Each routine checks its own
// arguments before computing and raises DomainError naming the argument, so
// that the caller can name the box the user typed it in.
#include <stdexcept>

namespace engine {

enum class Argument { statistic, degrees, denominator_degrees };

enum class DomainRule {
    positive,      // must be greater than 0
    not_negative,  // must be 0 or more
    at_most,       // must not exceed `largest`
};

class DomainError : public std::domain_error {
public:
    DomainError(Argument argument, DomainRule rule, double largest = 0);
    Argument argument;
    DomainRule rule;
    double largest;  // the limit broken, for DomainRule::at_most
};

// Degrees of freedom: any number above 0 up to `largest`, whole or not.
void require_degrees(double nu, Argument argument, double largest);

}  // namespace engine
