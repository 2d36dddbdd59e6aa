// Exact conversions by whole-number arithmetic: a double is m 2^e, so its
// decimal digits are those of m 5^-e (or m 2^e), and the double nearest a
// decimal number is found by long division of two whole numbers.
#include "platform/exact_decimal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace platform::decimal {

namespace {

// A whole number in 32-bit limbs, least significant first; only what the
// two conversions need.
class Whole {
public:
    explicit Whole(std::uint64_t v = 0)
    {
        for (; v; v >>= 32) limbs_.push_back(std::uint32_t(v));
    }
    bool zero() const { return limbs_.empty(); }

    void multiply_add(std::uint32_t factor, std::uint32_t addend = 0)
    {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            carry += std::uint64_t(limb) * factor;
            limb = std::uint32_t(carry);
            carry >>= 32;
        }
        if (carry) limbs_.push_back(std::uint32_t(carry));
    }
    // this * base^count, in steps that fit a limb.
    void multiply_power(std::uint32_t base, std::uint32_t step_power, int step, int count)
    {
        for (; count >= step; count -= step) multiply_add(step_power);
        while (count-- > 0) multiply_add(base);
    }
    // Divides by d in place, gives the remainder.
    std::uint32_t divide(std::uint32_t d)
    {
        std::uint64_t rest = 0;
        for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
            rest = (rest << 32) | *limb;
            *limb = std::uint32_t(rest / d);
            rest %= d;
        }
        trim();
        return std::uint32_t(rest);
    }
    void shift_left(int bits)
    {
        if (zero() || bits <= 0) return;
        const int whole = bits / 32, part = bits % 32;
        if (part) {
            std::uint32_t carry = 0;
            for (std::uint32_t& limb : limbs_) {
                const std::uint32_t next = limb >> (32 - part);
                limb = (limb << part) | carry;
                carry = next;
            }
            if (carry) limbs_.push_back(carry);
        }
        limbs_.insert(limbs_.begin(), size_t(whole), 0u);
    }
    void shift_right_one()
    {
        std::uint32_t carry = 0;
        for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
            const std::uint32_t next = *limb & 1u;
            *limb = (*limb >> 1) | (carry << 31);
            carry = next;
        }
        trim();
    }
    int bit_length() const
    {
        if (zero()) return 0;
        int top = 32;
        while (!(limbs_.back() >> (top - 1))) --top;
        return int(limbs_.size() - 1) * 32 + top;
    }
    friend int compare(const Whole& a, const Whole& b)
    {
        if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        for (size_t i = a.limbs_.size(); i-- > 0;)
            if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        return 0;
    }
    // this -= other, for other <= this.
    void subtract(const Whole& other)
    {
        std::int64_t borrow = 0;
        for (size_t i = 0; i < limbs_.size(); ++i) {
            std::int64_t d = std::int64_t(limbs_[i]) - borrow - (i < other.limbs_.size() ? other.limbs_[i] : 0);
            borrow = d < 0;
            limbs_[i] = std::uint32_t(d + (borrow << 32));
        }
        trim();
    }

private:
    void trim()
    {
        while (!limbs_.empty() && !limbs_.back()) limbs_.pop_back();
    }
    std::vector<std::uint32_t> limbs_;
};

// Ten's and five's powers in steps that a limb holds.
void times_ten_to(Whole& w, int count) { w.multiply_power(10, 1'000'000'000u, 9, count); }
void times_five_to(Whole& w, int count) { w.multiply_power(5, 1'220'703'125u, 13, count); }

std::string decimal_digits(Whole w)
{
    std::string reversed;
    while (!w.zero()) {
        std::uint32_t chunk = w.divide(1'000'000'000u);
        for (int k = 0; k < 9; ++k, chunk /= 10) reversed += char('0' + chunk % 10);
    }
    while (!reversed.empty() && reversed.back() == '0') reversed.pop_back();
    return {reversed.rbegin(), reversed.rend()};
}

}  // namespace

Digits exact(double value)
{
    Digits out;
    out.negative = std::signbit(value);
    if (value == 0 || !std::isfinite(value)) return out;

    // |value| = m 2^e with m odd.
    int e = 0;
    const double fraction = std::frexp(std::fabs(value), &e);
    auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    e -= 53;
    while (!(m & 1u)) m >>= 1, ++e;

    Whole w(m);
    int exponent10 = 0;  // |value| = w 10^exponent10
    if (e >= 0) {
        w.shift_left(e);
    } else {
        times_five_to(w, -e);  // m 2^e = m 5^-e / 10^-e
        exponent10 = e;
    }
    out.digits = decimal_digits(w);
    out.point = int(out.digits.size()) + exponent10;
    while (!out.digits.empty() && out.digits.back() == '0') out.digits.pop_back();
    return out;
}

double nearest(std::string_view all, long long exponent, bool negative)
{
    const double sign = negative ? -1.0 : 1.0;
    // Leading zeros say nothing; trailing ones move the exponent.
    const size_t first = all.find_first_not_of('0');
    if (first == std::string_view::npos) return sign * 0.0;
    std::string_view digits = all.substr(first);
    const size_t last = digits.find_last_not_of('0');
    exponent += static_cast<long long>(digits.size() - 1 - last);
    digits = digits.substr(0, last + 1);

    // The value lies in [10^(magnitude - 1), 10^magnitude).
    const long long magnitude = static_cast<long long>(digits.size()) + exponent;
    if (magnitude > 309) return sign * std::numeric_limits<double>::infinity();
    if (magnitude < -324) return sign * 0.0;

    // A tie between two doubles needs at most 767 significant digits; beyond
    // 780 the rest only says whether the number lies above its first digits,
    // which one more digit 1 keeps.
    std::string kept(digits.substr(0, std::min<size_t>(digits.size(), 780)));
    if (kept.size() < digits.size()) {
        exponent += static_cast<long long>(digits.size() - kept.size());
        if (digits.find_first_not_of('0', kept.size()) != std::string_view::npos) kept += '1', --exponent;
    }

    // num / den is the number exactly.
    Whole num, den(1);
    for (char c : kept) num.multiply_add(10, std::uint32_t(c - '0'));
    if (exponent > 0) times_ten_to(num, int(exponent));
    else times_ten_to(den, int(-exponent));

    // Scaled by 2^shift into [2^54, 2^56), the quotient has two bits beyond a
    // double's 53 at least, and the remainder says whether more follow.
    const int shift = 55 - (num.bit_length() - den.bit_length());
    if (shift > 0) num.shift_left(shift);
    else den.shift_left(-shift);
    std::uint64_t q = 0;
    Whole step = den;
    step.shift_left(56);
    for (int bit = 56; bit >= 0; --bit, step.shift_right_one()) {
        if (compare(num, step) >= 0) {
            num.subtract(step);
            q |= std::uint64_t(1) << bit;
        }
    }
    const bool rest = !num.zero();

    // 53 bits, or fewer where the number falls among the subnormals, whose
    // last bit is 2^-1074.
    const int length = 64 - std::countl_zero(q);
    const int lowest = std::max(length - 53 - shift, -1074);
    const int drop = lowest + shift;
    if (drop > 57) return sign * 0.0;
    std::uint64_t m = q >> drop;
    const bool half = (q >> (drop - 1)) & 1u;
    const bool beyond_half = rest || (q & ((std::uint64_t(1) << (drop - 1)) - 1));
    if (half && (beyond_half || (m & 1u))) ++m;
    return sign * std::ldexp(static_cast<double>(m), lowest);
}

}  // namespace platform::decimal
