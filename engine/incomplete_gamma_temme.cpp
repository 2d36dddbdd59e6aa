#include <cmath>

#include "engine/deviance.h"
#include "engine/incomplete_gamma.h"
#include "engine/incomplete_gamma_parts.h"
#include "engine/numeric/fault.h"
#include "engine/temme_coefficients.h"

namespace engine::incomplete_gamma_parts {

// Temme: Q(a, x) = erfc(eta sqrt(a/2))/2 + R, P(a, x) = erfc(-eta sqrt(a/2))/2 - R,
// R = e^(-a eta^2/2) / sqrt(2 pi a) * sum_k c_k(eta) a^-k, with
// a eta^2/2 = a (lambda - 1 - ln lambda), lambda = x/a, eta of the sign of
// lambda - 1. Each c_k as its Taylor polynomial in eta, which converges
// within |eta| < 2 sqrt(pi); here |eta| < 0.35. Seven terms at a >= 100 leave
// out less than 1e-20 of R.
TemmeTails temme(long double a, long double x)
{
    if (!(a >= incomplete_gamma_large_a) || !(std::fabs(x - a) < incomplete_gamma_expansion_width * a))
        throw numeric::Fault(numeric::FaultKind::OutsideDomain);
    const long double ln_2pi = 1.83787706640934548356065947281123527L;
    const long double ln_2 = 0.693147180559945309417232121458176568L;

    const long double half_a_eta2 = x == a ? 0 : deviance(a, x);
    long double eta = std::sqrt((2 * half_a_eta2) / a);
    if (x < a) eta = -eta;

    long double sum = 0;
    for (int k = temme::terms - 1; k >= 0; --k) {
        long double c = 0;
        for (int n = temme::degree - 1; n >= 0; --n) c = c * eta + temme::coefficient[k][n];
        sum = sum / a + c;
    }
    const long double log_r = (-half_a_eta2 - 0.5L * (ln_2pi + std::log(a))) + std::log(std::fabs(sum));
    const long double sign_r = sum < 0 ? -1 : 1;

    // erfc(|eta| sqrt(a/2))/2 = Q(1/2, a eta^2/2)/2: the smaller half of the
    // normal-like term, to which R adds (for Q) or from which it is taken (for P).
    long double log_half = -ln_2;
    if (half_a_eta2 > 0) log_half = log_incomplete_gamma(0.5L, half_a_eta2).tails.upper - ln_2;
    const long double ratio = std::exp(log_r - log_half);
    if (x >= a) {
        const long double log_q = log_half + std::log1p(sign_r * ratio);
        return {log_complement(log_q), log_q};
    }
    const long double log_p = log_half + std::log1p(-sign_r * ratio);
    return {log_p, log_complement(log_p)};
}

}  // namespace engine::incomplete_gamma_parts
