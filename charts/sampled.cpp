#include "charts/sampled.h"

#include <algorithm>
#include <cmath>

namespace charts {

double monotone_cubic(const std::vector<double>& xs, const std::vector<double>& ys, double x)
{
    const size_t n = xs.size();
    size_t k = std::upper_bound(xs.begin(), xs.end(), x) - xs.begin();
    k = std::clamp<size_t>(k, 1, n - 1) - 1;
    const auto secant = [&](size_t i) { return (ys[i + 1] - ys[i]) / (xs[i + 1] - xs[i]); };
    const auto slope = [&](size_t i) {
        if (i == 0) return secant(0);
        if (i == n - 1) return secant(n - 2);
        const double a = secant(i - 1), b = secant(i);
        return a * b <= 0 ? 0.0 : 2 / (1 / a + 1 / b);  // the harmonic mean keeps it monotone
    };
    const double h = xs[k + 1] - xs[k], u = (x - xs[k]) / h;
    const double h00 = (1 + 2 * u) * (1 - u) * (1 - u), h10 = u * (1 - u) * (1 - u), h01 = u * u * (3 - 2 * u),
                 h11 = u * u * (u - 1);
    return h00 * ys[k] + h10 * h * slope(k) + h01 * ys[k + 1] + h11 * h * slope(k + 1);
}

std::vector<double> sampled_log_densities(const engine::Law& law, const std::vector<double>& xs,
                                          const std::vector<double>& exact)
{
    constexpr size_t stride = 3;
    constexpr double seen = 30, bend = 0.5, floor_below = 200, beyond_sight = 1e-12;
    const size_t n = xs.size();
    const auto log_density = [&](double x) { return or_nan([&] { return law.log_density(x); }); };
    // A grid step's margin: the density at the support's end (F at 0) is drawn.
    const double margin = (xs.back() - xs.front()) / double(n);
    const double from = or_nan([&] { return law.lower_quantile(beyond_sight); }) - margin;
    const double to = or_nan([&] { return law.upper_quantile(beyond_sight); }) + margin;
    std::vector<double> ld(n, NAN);
    std::vector<bool> done(n, false);
    const auto at = [&](size_t k) {
        if (done[k]) return;
        ld[k] = xs[k] < from || xs[k] > to ? -INFINITY : log_density(xs[k]);
        done[k] = true;
    };
    for (size_t k = 0; k < n; k += stride) at(k);
    at(n - 1);
    for (double v : exact) at(std::min<size_t>(std::lower_bound(xs.begin(), xs.end(), v) - xs.begin(), n - 1));
    double top = -INFINITY;
    for (size_t k = 0; k < n; ++k)
        if (done[k] && std::isfinite(ld[k])) top = std::fmax(top, ld[k]);
    for (size_t a = 0, b = 0; a + 1 < n; a = b) {
        b = a + 1;
        while (b + 1 < n && !done[b]) ++b;
        const bool in_sight = !(ld[a] < top - seen) || !(ld[b] < top - seen);
        if (in_sight && !(std::fabs(ld[b] - ld[a]) <= bend))
            for (size_t k = a + 1; k < b; ++k) at(k);
    }
    std::vector<double> kx, ky;
    for (size_t k = 0; k < n; ++k)
        if (done[k] && !std::isnan(ld[k]) && ld[k] != INFINITY)
            kx.push_back(xs[k]), ky.push_back(std::fmax(ld[k], top - floor_below));
    for (size_t k = 0; k < n; ++k)
        if (!done[k]) ld[k] = kx.size() >= 2 ? monotone_cubic(kx, ky, xs[k]) : log_density(xs[k]);
    return ld;
}

}  // namespace charts
