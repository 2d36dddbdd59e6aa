// Given S = s, T = (Z + delta) sqrt(nu)/s is normal, so
//   f(t) = E[phi(c S - delta) S] / sqrt(nu),  c = t/sqrt(nu),  S chi with nu degrees,
// an integral of positive values whatever the signs of t and delta (the
// series of Kummer functions cancels where they differ). log_chi_integral
// takes it by the trapezoidal rule in ln s around its peak, each node's value
// from exact differences, so at 1e9 degrees and delta 1000 no two large
// numbers meet.
#include "engine/noncentral_t_density.h"

#include <cmath>

#include "engine/chi_integral.h"
#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/noncentral_limits.h"
#include "engine/numeric/fault.h"
#include "engine/t_density.h"

namespace engine {

double noncentral_t_log_density(double t, double nu, double delta)
{
    require_degrees(nu, Argument::degrees, largest_degrees);
    require_between(delta, Argument::noncentrality, -largest_delta, largest_delta);
    if (!std::isfinite(t)) throw numeric::Fault(numeric::FaultKind::Overflow);
    if (delta == 0) return t_log_density(t, nu);

    const long double root_nu = std::sqrt(static_cast<long double>(nu));
    const long double l = log_chi_integral(nu, ChiKernel::normal_density, t / root_nu, -static_cast<long double>(delta), 1);
    return static_cast<double>(l - std::log(root_nu));
}

}  // namespace engine
