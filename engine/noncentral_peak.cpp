#include "engine/noncentral_peak.h"

#include <cmath>

namespace engine {

MixturePeak mixture_peak(long double lambda, long double nu1, long double c, long double c_nu2)
{
    // The positive root, in the form that subtracts nothing of like size.
    const long double a = lambda * (1 + c), b = nu1 * (1 + c) - lambda * c, minus_c = c * nu1 + c_nu2;
    const long double root = std::sqrt(b * b + 4 * a * minus_c);
    const long double v = b >= 0 ? 2 * minus_c / (b + root) : (root - b) / (2 * a);
    const long double peak = (lambda / 2) * v;
    return {peak, std::sqrt(peak) + 1};
}

}  // namespace engine
