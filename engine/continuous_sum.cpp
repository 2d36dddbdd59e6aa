#include "engine/continuous_sum.h"

#include <cmath>

#include "engine/numeric/fault.h"

namespace engine {

namespace {

constexpr long double tolerance = 1e-21L;
constexpr long most_terms = 100'000;  // a side; only makes a fault of a sum that would not end

}  // namespace

long double log_peak_trapezoid(const std::function<long double(long double)>& l, long double peak, long double h)
{
    const long double top = l(peak);
    long double sum = 1;
    for (const int side : {1, -1}) {
        long double previous = 0;
        for (long k = 1;; ++k) {
            const long double v = l(peak + side * k * h) - top, term = std::exp(v);
            sum += term;
            if (v < previous && term <= tolerance * sum) break;
            previous = v;
            if (k > most_terms) throw numeric::Fault(numeric::FaultKind::NoConvergence);
        }
    }
    return top + std::log(h * sum);
}

long double log_continuous_sum(const std::function<long double(long double)>& l, long double peak, long double spread)
{
    const long double ln_sqrt_2pi = 0.918938533204672741780329736405617639L;
    if (peak > 1e30L) return l(peak) + ln_sqrt_2pi + std::log(spread);
    const long double centre = l(peak);
    if (std::fabs(centre) > 1e13L) return centre + ln_sqrt_2pi + std::log(spread);
    return log_peak_trapezoid(l, peak, spread / 3);
}

}  // namespace engine
