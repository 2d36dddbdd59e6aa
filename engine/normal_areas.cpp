#include "engine/normal_areas.h"

#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

NormalArea normal_area(double z_in)
{
    const Real p = 0.2316419;
    const Real b1 = 0.31938153;
    const Real b2 = -0.356563782;
    const Real b3 = 1.781477937;
    const Real b4 = -1.821255978;
    const Real b5 = 1.330274429;
    const Real pi_z = 3.141592654;  // a shorter pi than the chi-square routine's

    const Real z = z_in;
    const Real t = 1 / (1 + p * numeric::abs(z));
    const Real r = numeric::sqrt(2 * pi_z);
    const Real e = numeric::exp(((-z) * z) / 2);
    const Real phi = e / r;

    Real h = b4 + t * b5;
    h = b3 + t * h;
    h = b2 + t * h;
    const Real poly = b1 + t * h;

    const Real u = 0.5 - phi * (t * poly);
    return {u.value(), t.value(), poly.value()};
}

}  // namespace engine
