#include "engine/student_t.h"

#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

StudentT student_t(double t_in, double nu_in)
{
    const Real kappa = 0.36338023;  // 1 - kappa stands for 2/pi
    const Real t = t_in;
    const Real nu = nu_in;

    const Real theta = numeric::atan(t / numeric::sqrt(nu));
    const Real sin_theta = numeric::sin(theta);
    const Real cos_theta = numeric::cos(theta);
    const Real d = nu - 2 * numeric::floor(nu / 2);

    Real A, T, n, m;
    long passes = 0;
    if (d == 0) {
        A = sin_theta;
        if (nu == 2) return {((1 + A) * 0.5).value(), passes};
        T = sin_theta;
        n = -1;
        m = 0;
    } else {
        A = theta;
        if (nu == 1) {
            A = A * (1 - kappa * d);
            return {((1 + A) * 0.5).value(), passes};
        }
        T = sin_theta * cos_theta;
        A = A + T;
        n = 0;
        m = 1;
    }

    const Real U = (nu - 2) / 2;
    for (Real j = 1; j <= U; j = j + 1) {
        n = n + 2;
        m = m + 2;
        T = (((T * cos_theta) * cos_theta) * n) / m;
        A = A + T;
        ++passes;
    }

    A = A * (1 - kappa * d);
    const Real C = (1 + A) * 0.5;
    return {C.value(), passes};
}

}  // namespace engine
