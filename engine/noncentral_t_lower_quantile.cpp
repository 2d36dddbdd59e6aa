// -T with T noncentral t at delta is noncentral t at -delta, so P(T < x;
// delta) = P(T > -x; -delta): the lower quantile is the upper quantile of the
// reflected law, negated, exactly; and that one is found on the tail that
// alpha leaves small.
#include "engine/noncentral_t_quantile.h"

#include "engine/domain.h"
#include "engine/evaluation.h"
#include "engine/noncentral_limits.h"

namespace engine {

double noncentral_t_lower_quantile(double alpha, double nu, double delta)
{
    require_probability(alpha);
    require_degrees(nu, Argument::degrees, largest_degrees);
    require_between(delta, Argument::noncentrality, -largest_delta, largest_delta);
    return -noncentral_t_upper_quantile(alpha, nu, -delta);
}

}  // namespace engine
