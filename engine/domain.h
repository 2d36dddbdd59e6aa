#pragma once
// The inputs a distribution routine accepts. Each routine checks its own
// arguments before computing and raises DomainError naming the argument, so
// that the caller can name the box the user typed it in.
#include <stdexcept>

namespace engine {

enum class Argument {
    statistic,
    degrees,
    denominator_degrees,
    probability,
    noncentrality,
    sample_size,   // N, the pairs of the sample correlation
    correlation,   // rho, the population's correlation
    trials,        // n, the binomial's trials
    proportion,    // p, the binomial's chance of success
};

enum class DomainRule {
    positive,      // must be greater than 0
    not_negative,  // must be 0 or more
    at_most,       // must not exceed `largest`
    probability,   // must lie strictly between 0 and 1
    between,       // must lie in [smallest, largest]
};

class DomainError : public std::domain_error {
public:
    DomainError(Argument argument, DomainRule rule, double largest = 0);
    // A value outside [smallest, largest] (DomainRule::between); what() names the range.
    DomainError(Argument argument, double smallest, double largest);
    Argument argument;
    DomainRule rule;
    double largest;       // the limit broken, for DomainRule::at_most; the upper end for between
    double smallest = 0;  // the lower end, for DomainRule::between
};

// Degrees of freedom: any number above 0 up to `largest`, whole or not.
// Every routine takes them as typed, however small, subnormal ones too: the
// line, the exact tails, the quantiles and the densities answer the same
// question. (The incomplete functions halve them in extended precision,
// where even the smallest double keeps its digits.)
void require_degrees(double nu, Argument argument, double largest);

// A tail probability for the quantiles: strictly between 0 and 1.
void require_probability(double p);

// A value in [smallest, largest], NaN refused: the noncentralities.
void require_between(double value, Argument argument, double smallest, double largest);

}  // namespace engine
