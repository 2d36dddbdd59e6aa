#include "engine/binomial_term.h"

#include <cmath>

#include "engine/numeric/fault.h"
#include "engine/stirling_error.h"

namespace engine {

namespace {

// rho - 1 - ln rho, rho = 1 + u, from u where rho is near 1 (there the two
// halves cancel and the series keeps the digits), from rho where it is not.
long double deviation(long double rho, long double u)
{
    if (std::fabs(u) >= 0.25L) return (rho - 1) - std::log(rho);
    // u^2/2 - u^3/3 + u^4/4 - ...
    long double sum = 0, power = u;
    for (int j = 2; j < 200; ++j) {
        power *= -u;
        const long double next = sum - power / j;
        if (next == sum) break;
        sum = next;
    }
    return sum;
}

}  // namespace

long double log_binomial_term(long double k, long double l, long double r)
{
    if (!(k > 0) || !(l > 0) || !(r > 0) || !std::isfinite(k) || !std::isfinite(l) || !std::isfinite(r))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double ln_2pi = 1.83787706640934548356065947281123527L;
    const long double n = k + l;

    // Each factorial by Stirling's formula and its error. Each power by its
    // deviance from the mean, k ln(k/(n x)) + n x - k = k (rho - 1 - ln rho),
    // rho = n x/k = n/(k (1 + r)), whose rho - 1 = (l - k r)/(k (1 + r)); the
    // same for l with n y/l = n r/(l (1 + r)): small where the term is large.
    const long double excess = l - k * r;
    const long double rho_k = n / (k * (1 + r)), rho_l = (n / l) * (r / (1 + r));
    const long double u_k = excess / (k * (1 + r)), u_l = -excess / (l * (1 + r));
    const long double lc = ((stirling_error(n) - stirling_error(k)) - stirling_error(l)) - k * deviation(rho_k, u_k) -
                           l * deviation(rho_l, u_l);
    const long double lf = (ln_2pi + std::log(k)) + std::log(l / n);
    return lc - 0.5L * lf;
}

}  // namespace engine
