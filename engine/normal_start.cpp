// excess - lambda = z s with s^2 = spread + 4 lambda, so lambda = (s^2 -
// spread)/4 and s^2 + 4 z s - 4 excess - spread = 0: s its positive root.
#include "engine/normal_start.h"

#include <cmath>

namespace engine {

long double normal_start(long double z, long double excess, long double spread)
{
    const long double discriminant = 4 * z * z + 4 * excess + spread;
    if (!(discriminant > 0)) return 1;
    const long double s = -2 * z + std::sqrt(discriminant);
    return std::sqrt(std::fmax((s * s - spread) / 4, 1e-6L));
}

}  // namespace engine
