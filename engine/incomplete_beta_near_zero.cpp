#include "engine/incomplete_beta_near_zero.h"

#include "engine/log_gamma.h"
#include "platform/real.h"

namespace engine {

using platform::Real;

double incomplete_beta_near_zero(double log_x, double a_in, double b_in)
{
    const Real a = a_in, b = b_in;
    const Real log_beta = (Real(log_gamma(a_in)) + Real(log_gamma(b_in))) - Real(log_gamma((a + b).value()));
    return platform::exp(((a * Real(log_x)) - platform::log(a)) - log_beta).value();
}

}  // namespace engine
