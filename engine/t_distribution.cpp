#include "engine/t_distribution.h"

#include <cmath>

#include "engine/domain.h"
#include "engine/incomplete_beta.h"
#include "engine/incomplete_beta_near_zero.h"
#include "engine/student_t.h"

namespace engine {

TDistribution t_distribution(double t, double nu_in)
{
    const double nu = require_degrees(nu_in, Argument::degrees, largest_degrees);

    // The trigonometric series is exact for a whole nu only, and makes about
    // nu/2 passes.
    if (nu == std::floor(nu) && nu <= t_series_largest_degrees)
        return {student_t(t, nu).C, Evaluation::series};

    if (t == 0) return {0.5, Evaluation::incomplete_function};
    // P(|T| > |t|) = I_x(nu/2, 1/2), x = nu/(nu + t^2) = 1/(1 + r^2) with
    // r = |t|/sqrt(nu); its complement y = r^2/(1 + r^2). Whichever of r and
    // 1/r is below 1 is squared, so that no square overflows.
    const double abs_t = std::fabs(t), root = std::sqrt(nu);
    double tail;
    if (abs_t < root) {
        const double r2 = (abs_t / root) * (abs_t / root);
        tail = 0.5 * incomplete_beta(1 / (1 + r2), r2 / (1 + r2), nu / 2, 0.5).I;
    } else {
        const double log_x = 2 * (std::log(root) - std::log(abs_t));
        const double s2 = (root / abs_t) * (root / abs_t);
        tail = log_x < incomplete_beta_near_zero_log_x
                   ? 0.5 * incomplete_beta_near_zero(log_x, nu / 2, 0.5)
                   : 0.5 * incomplete_beta(s2 / (1 + s2), 1 / (1 + s2), nu / 2, 0.5).I;
    }
    return {t > 0 ? 1 - tail : tail, Evaluation::incomplete_function};
}

}  // namespace engine
