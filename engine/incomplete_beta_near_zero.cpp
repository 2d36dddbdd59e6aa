#include "engine/incomplete_beta_near_zero.h"

#include "engine/log_gamma.h"
#include "engine/numeric/real.h"

namespace engine {

using numeric::Real;

double incomplete_beta_near_zero(double log_x, double a_in, double b_in)
{
    const Real a = a_in, b = b_in;
    const Real log_beta = (Real(log_gamma(a_in)) + Real(log_gamma(b_in))) - Real(log_gamma((a + b).value()));
    return numeric::exp(((a * Real(log_x)) - numeric::log(a)) - log_beta).value();
}

}  // namespace engine
