#include "engine/polygamma.h"

#include <cmath>

#include "engine/numeric/fault.h"

namespace engine {

long double polygamma(int k, long double z)
{
    if (k < 0 || k > 3 || !(z >= 1) || !std::isfinite(z)) throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double factorial[] = {1, 1, 2, 6};
    const long double sign = k % 2 == 0 ? -1 : 1;  // (-1)^(k+1)

    // psi^(k)(z) = psi^(k)(z + 1) - (-1)^k k!/z^(k+1), up to z >= 20, where the
    // asymptotic series' first omitted term is below 1e-21 of the sum.
    long double shift = 0;
    for (; z < 20; z += 1) shift += sign * factorial[k] / std::pow(z, k + 1);

    // B_2j / (2j)!, Bernoulli's numbers over the factorials.
    const long double bernoulli[] = {1.0L / 6, -1.0L / 30, 1.0L / 42, -1.0L / 30, 5.0L / 66, -691.0L / 2730, 7.0L / 6,
                                     -3617.0L / 510};
    long double series = 0;
    for (int j = 8; j >= 1; --j) {
        long double falling = 1;  // (2j + k - 1)! / (2j)!
        for (int m = 2 * j + 1; m <= 2 * j + k - 1; ++m) falling *= m;
        // psi: B_2j / (2j z^2j); psi^(k): B_2j (2j + k - 1)!/(2j)! / z^(2j + k)
        const long double coefficient = k == 0 ? bernoulli[j - 1] / (2 * j) : bernoulli[j - 1] * falling;
        series += coefficient / std::pow(z, 2 * j + k);
    }
    if (k == 0) return ((std::log(z) - 1 / (2 * z)) - series) + shift;
    // (-1)^(k+1) [(k-1)!/z^k + k!/(2 z^(k+1)) + series]
    const long double head = factorial[k - 1] / std::pow(z, k) + factorial[k] / (2 * std::pow(z, k + 1));
    return sign * (head + series) + shift;
}

}  // namespace engine
