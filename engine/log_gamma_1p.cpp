#include <cmath>

#include "engine/numeric/fault.h"

#include "engine/log_gamma.h"
#include "engine/log_gamma_1p_coefficients.h"

namespace engine {

long double log_gamma_1p(long double a)
{
    if (!(std::fabs(a) <= 0.25L)) throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    // Taylor series about 1, by Horner's rule from the highest power.
    using log_gamma_1p_series::coefficient;
    long double sum = 0;
    for (int n = log_gamma_1p_series::count - 1; n >= 0; --n) sum = (sum + coefficient[n]) * a;
    return sum;
}

}  // namespace engine
