// Quadruple-precision division, correctly rounded, in the place of the
// compiler's runtime routine where long double is quadruple (WebAssembly).
// The runtime of the browser's compiler (compiler-rt of LLVM 14) gets
// 1/(1 - 2^-113) wrong by a factor of 2: its reciprocal estimate carries
// over when the divisor lies just below a power of 2, as every continued
// fraction's steps 1/(1 + d) do near convergence. Bit by bit, as in school:
// slow beside the runtime's Newton steps, but exact. Elsewhere this file
// only defines the routine for the tests to compare.
#include "engine/numeric/quadruple_division.h"

#include <cstring>

#if defined(VARENDO_HAS_QUADRUPLE)
namespace numeric {

namespace {

using Bits = unsigned __int128;

constexpr int fraction_bits = 112;
constexpr int bias = 16383;
constexpr int max_exponent = 0x7fff;
constexpr Bits one = Bits(1) << fraction_bits;  // the hidden bit
constexpr Bits fraction_mask = one - 1;
constexpr Bits sign_bit = Bits(1) << 127;
constexpr Bits quiet_nan = (Bits(max_exponent) << fraction_bits) | (Bits(1) << (fraction_bits - 1));

Bits bits_of(Quadruple v)
{
    Bits b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

Quadruple of_bits(Bits b)
{
    Quadruple v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

// The significand with its hidden bit at bit 112, and the unbiased exponent;
// subnormals normalized.
void unpack(Bits b, Bits& significand, int& exponent)
{
    const int field = int((b >> fraction_bits) & max_exponent);
    significand = b & fraction_mask;
    if (field != 0) {
        significand |= one;
        exponent = field - bias;
        return;
    }
    exponent = 1 - bias;
    while (!(significand & one)) significand <<= 1, --exponent;
}

}  // namespace

Quadruple divide(Quadruple a, Quadruple b)
{
    const Bits x = bits_of(a), y = bits_of(b);
    const Bits sign = (x ^ y) & sign_bit;
    const Bits x_abs = x & ~sign_bit, y_abs = y & ~sign_bit;
    const Bits infinity = Bits(max_exponent) << fraction_bits;

    if (x_abs > infinity || y_abs > infinity) return of_bits(quiet_nan);
    if (x_abs == infinity) return of_bits(y_abs == infinity ? quiet_nan : sign | infinity);
    if (y_abs == infinity) return of_bits(sign);
    if (y_abs == 0) return of_bits(x_abs == 0 ? quiet_nan : sign | infinity);
    if (x_abs == 0) return of_bits(sign);

    Bits n, d;
    int en, ed;
    unpack(x_abs, n, en);
    unpack(y_abs, d, ed);

    // 116 bits of n/d in (1/2, 2): the integer bit first, then 115 after the point.
    Bits q = 0, r = n;
    for (int i = 0; i < 116; ++i) {
        q <<= 1;
        if (r >= d) r -= d, q |= 1;
        r <<= 1;
    }
    bool sticky = r != 0;
    int exponent = en - ed;
    // Keep 114 bits: the 113 of the significand and one to round by.
    Bits kept;
    if (q >> 115) {
        sticky = sticky || (q & 3);
        kept = q >> 2;
    } else {
        --exponent;
        sticky = sticky || (q & 1);
        kept = q >> 1;
    }
    int field = exponent + bias;
    if (field >= max_exponent) return of_bits(sign | infinity);
    if (field <= 0) {
        // Subnormal: shift further right, what falls off is sticky.
        const int shift = 1 - field;
        if (shift > 114) return of_bits(sign);
        sticky = sticky || (kept & ((Bits(1) << shift) - 1)) != 0;
        kept >>= shift;
        field = 0;
    }
    Bits significand = kept >> 1;
    const bool round = kept & 1;
    if (round && (sticky || (significand & 1))) ++significand;
    // The hidden bit adds one to the exponent field: a significand rounded up
    // to 2^113 moves to the next binade, a subnormal one to 2^112 to the
    // smallest normal, and one past the largest to infinity, all by carry.
    const Bits result = field == 0 ? significand : (Bits(field - 1) << fraction_bits) + significand;
    return of_bits(sign | result);
}

}  // namespace numeric
#endif

#if defined(__EMSCRIPTEN__)
extern "C" long double __divtf3(long double a, long double b) { return numeric::divide(a, b); }
#endif
