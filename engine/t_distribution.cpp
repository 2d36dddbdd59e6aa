#include "engine/t_distribution.h"

#include <cmath>

#include "engine/domain.h"
#include "engine/student_t.h"
#include "engine/t_tails.h"

namespace engine {

TDistribution t_distribution(double t, double nu)
{
    require_degrees(nu, Argument::degrees, largest_degrees);

    // The trigonometric series is exact for a whole nu only, and makes about
    // nu/2 passes.
    if (nu == std::floor(nu) && nu <= t_series_largest_degrees)
        return {student_t(t, nu).C, Evaluation::series};
    return {t_tails(t, nu).lower.value, Evaluation::incomplete_function};
}

}  // namespace engine
