#include "engine/chi_square_upper.h"

#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

ChiSquareUpper chi_square_upper(double x_in, double nu_in)
{
    const Real pi_chi = 3.141592653599;  // not quite pi; kept as the results depend on it
    const Real epsilon = 1e-7;
    const Real x = x_in;
    Real nu = nu_in;

    // D: every second number from nu down to the last one not below 2.
    Real D = 1;
    for (Real s = nu; s >= 2; s = s - 2)
        D = D * s;

    const Real E = numeric::exp((-x) / 2);
    const Real k = numeric::floor((nu + 1) / 2);
    const Real A = (numeric::pow(x, k) * E) / D;

    // An odd or fractional nu leaves one square root of x too many in A.
    Real B = 1;
    if (!(nu / 2 == numeric::floor(nu / 2)))
        B = numeric::sqrt((2 / x) / pi_chi);

    Real S = 1;
    Real T = 1;
    long terms = 0;
    for (;;) {
        nu = nu + 2;
        T = (T * x) / nu;
        if (T < epsilon) break;
        S = S + T;
        ++terms;
    }

    const Real P = 1 - (A * B) * S;
    return {P.value(), terms};
}

}  // namespace engine
