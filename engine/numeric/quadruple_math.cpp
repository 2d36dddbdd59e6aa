// The long double logarithm, exponential and power where long double is
// IEEE quadruple but the C library computes them in double (Emscripten's
// musl answers logl, expl, log1pl, expm1l and powl through log, exp, ...,
// losing every digit past the 16th). The engine's exact tails keep their
// digits in long double logarithms, so the browser's build puts these in the
// C library's place; they hold about 1e-32 relative, past the 64 bits of
// the desktop's extended precision. Elsewhere this file is empty.
#if defined(__EMSCRIPTEN__)
#include <cfloat>
#include <cmath>

static_assert(LDBL_MANT_DIG == 113, "the series below are sized for quadruple precision");

namespace {

const long double ln2 = 0.693147180559945309417232121458176568L;
const long double sqrt_half = 0.707106781186547524400844362104849039L;

// 2 atanh(s) = ln((1 + s)/(1 - s)) by its odd series, for |s| <= 0.25.
long double twice_atanh(long double s)
{
    const long double s2 = s * s;
    long double sum = 0;
    for (int k = 61; k >= 3; k -= 2) sum = (sum + 1.0L / k) * s2;
    return 2 * s * (1 + sum);
}

// exp(r) - 1 by Taylor's series, for |r| <= 0.35: 30 terms leave 1e-44.
long double small_expm1(long double r)
{
    long double sum = 0;
    for (int k = 30; k >= 2; --k) sum = (sum + 1) * r / k;
    return (sum + 1) * r;
}

}  // namespace

extern "C" {

// ln x = e ln 2 + ln m, with m in [sqrt(1/2), sqrt(2)) and ln m = 2 atanh((m - 1)/(m + 1)).
long double logl(long double x)
{
    if (std::isnan(x) || x < 0) return NAN;
    if (x == 0) return -HUGE_VALL;
    if (std::isinf(x)) return x;
    int e = 0;
    long double m = std::frexp(x, &e);
    if (m < sqrt_half) m *= 2, --e;
    return e * ln2 + twice_atanh((m - 1) / (m + 1));
}

// ln(1 + x) = 2 atanh(x/(2 + x)), which needs no rounded 1 + x near 0.
long double log1pl(long double x)
{
    if (std::isnan(x) || x < -1) return NAN;
    if (x == -1) return -HUGE_VALL;
    if (std::fabs(x) < 0.4L) return twice_atanh(x / (2 + x));
    return logl(1 + x);
}

// e^x = 2^n e^r with r = x - n ln 2 within ln 2 / 2 of 0.
long double expl(long double x)
{
    if (std::isnan(x)) return x;
    if (x > 11357) return HUGE_VALL;
    if (x < -11500) return 0;
    const long double n = std::nearbyint(x / ln2);
    const long double r = x - n * ln2;
    return std::ldexp(1 + small_expm1(r), static_cast<int>(n));
}

long double expm1l(long double x)
{
    if (std::isnan(x)) return x;
    if (std::fabs(x) <= 0.35L) return small_expm1(x);
    return expl(x) - 1;
}

// x^y = e^(y ln x); zeros, infinities and NaNs as the double pow has them.
long double powl(long double x, long double y)
{
    if (y == 0 || x == 1) return 1;
    if (std::isnan(x) || std::isnan(y) || std::isinf(x) || std::isinf(y) || x == 0)
        return std::pow(static_cast<double>(x), static_cast<double>(y));
    if (x < 0) {
        if (std::floor(y) != y) return NAN;
        const long double magnitude = expl(y * logl(-x));
        return std::fmod(std::fabs(y), 2.0L) == 1 ? -magnitude : magnitude;
    }
    return expl(y * logl(x));
}

}  // extern "C"
#endif
