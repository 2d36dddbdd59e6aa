#pragma once
#include <functional>

namespace engine {

// ln of h times the sum over all whole k of e^(l(peak + k h)): the
// trapezoidal rule for the integral of e^l, summed outward from the peak on
// each side until a falling term is below 1e-21 of the sum, each term taken
// relative to l(peak) so that none over- or underflows.
long double log_peak_trapezoid(const std::function<long double(long double)>& l, long double peak, long double h);

// ln of the sum over whole j of e^(l(j)) for terms that span `spread` (in the
// thousands) about a peak far from 0: by Poisson's summation formula the
// integral of the same terms over a continuous j, to far below 1e-30, and
// that integral by the rule at a third of the spread, exact to
// e^-(2 pi^2 9 / 2). Beyond a peak of 1e30, where a third of the spread is
// below j's last digit, or a logarithm of 1e13, whose last digits are noise
// in the terms' differences, Laplace's leading term holds all its digits.
long double log_continuous_sum(const std::function<long double(long double)>& l, long double peak, long double spread);

}  // namespace engine
