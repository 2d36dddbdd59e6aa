#pragma once
// What the law of r's tails and density share.
#include <cmath>

namespace engine::correlation_parts {

// The trapezoidal step for an integrand even in t with a pole of order m at
// i pi/2 (sech^m t): the rule's error is about e^(-pi^2/h) (2 pi e/(m h))^m
// (the strip taken to within m h / (2 pi) of the pole), kept below e^-45.
inline long double pole_step(long double m)
{
    const long double pi = 3.14159265358979323846264338327950288L;
    long double h = 0.25L;
    while (-(pi * pi) / h + m * (1 + std::log(2 * pi / (m * h))) > -45) h *= 0.9L;
    return h;
}

}  // namespace engine::correlation_parts
