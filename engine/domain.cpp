#include "engine/domain.h"

#include <cmath>
#include <string>

namespace engine {

namespace {

const char* name_of(Argument argument)
{
    switch (argument) {
    case Argument::statistic: return "statistic";
    case Argument::degrees: return "degrees of freedom";
    case Argument::denominator_degrees: return "denominator degrees of freedom";
    case Argument::probability: return "probability";
    case Argument::noncentrality: return "noncentrality";
    case Argument::sample_size: return "sample size";
    case Argument::correlation: return "correlation";
    case Argument::trials: return "number of trials";
    case Argument::proportion: return "proportion";
    }
    return "argument";
}

// A whole number's digits, written here: printf's would follow the locale.
// The ends of a range are whole; any other is named only as an end.
std::string written(double v)
{
    if (!(std::fabs(v) < 1e15) || v != std::floor(v)) return v < 0 ? "its lower end" : "its upper end";
    std::string digits;
    for (long long n = std::llabs(static_cast<long long>(v)); digits.empty() || n > 0; n /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + n % 10));
    return v < 0 ? "-" + digits : digits;
}

}  // namespace

DomainError::DomainError(Argument argument, DomainRule rule, double largest)
    : std::domain_error("argument outside the domain of the distribution"),
      argument(argument), rule(rule), largest(largest)
{
}

DomainError::DomainError(Argument argument, double smallest, double largest)
    : std::domain_error(std::string(name_of(argument)) + " must lie between " + written(smallest) + " and " +
                        written(largest)),
      argument(argument), rule(DomainRule::between), largest(largest), smallest(smallest)
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

void require_between(double value, Argument argument, double smallest, double largest)
{
    if (!(value >= smallest && value <= largest)) throw DomainError(argument, smallest, largest);
}

}  // namespace engine
