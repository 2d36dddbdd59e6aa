// The binomial law from any doubles: each routine gives a value or a
// DomainError; never NaN, tails in [0, 1] with lower + upper = 1 + P(X = k)
// within 1e-14 (both tails include k; the incomplete beta holds some 2e-15
// at shapes of 5e8), critical counts whole in [-1, n + 1] with the tail
// beyond them at most the level, limits in [0, 1], the lower at most the
// upper below a level of 1/4.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/binomial_critical.h"
#include "engine/binomial_limits.h"
#include "engine/binomial_probability.h"
#include "engine/binomial_tails.h"
#include "engine/domain.h"
#include "engine/numeric/fault.h"
#include "fuzz_checks.h"

namespace {

// A raw double or one spread over its range: trials 1..10^9, a count in
// [0, n] (whole, mostly), p and levels from 1e-300 to 1 - 1e-16.
double number(std::uint8_t how, const std::uint8_t* bytes, int role, double n)
{
    if (how & 1) return double_at(bytes);
    const std::uint64_t bits = bits_at(bytes);
    const double u = double(bits >> 11) / 9007199254740992.0;
    switch (role) {
    case 0: return std::floor(std::pow(10.0, 9 * u * u));                      // trials
    case 1: return bits & 2 ? std::floor(u * (n + 1)) : u * n;                 // a count
    default: return u < 0.5 ? std::pow(10.0, -300 * u * 2) : 1 - std::pow(10.0, -16 * (1 - u) * 2);  // p, a level
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 34) return 0;
    const int what = data[0] % 4;
    const double n = number(data[1], data + 2, 0, 0);
    const double k = number(data[1] >> 1, data + 10, 1, std::fabs(n) < 2e9 ? std::fabs(n) : 1e9);
    const double p = number(data[1] >> 2, data + 18, 2, 0), a = number(data[1] >> 3, data + 26, 2, 0);
    char detail[160];
    std::snprintf(detail, sizeof detail, "what %d: k %.17g n %.17g p %.17g a %.17g", what, k, n, p, a);
    try {
        switch (what) {
        case 0: {
            const engine::Tails t = engine::binomial_tails(k, n, p);
            for (const engine::Probability& q : {t.lower, t.upper}) {
                require(!std::isnan(q.value) && !std::isnan(q.log), "no NaN", detail);
                require(q.value >= 0 && q.value <= 1 && q.log <= 0, "a tail in [0, 1]", detail);
            }
            if (k == std::floor(k)) {
                const double mass = std::exp(engine::binomial_log_probability(k, n, p));
                require(std::fabs(t.lower.value + t.upper.value - 1 - mass) <= 1e-14 * (1 + mass),
                        "lower + upper = 1 + P(X = k)", detail);
            }
            break;
        }
        case 1:
            require(!std::isnan(engine::binomial_log_probability(k, n, p)), "a probability, not NaN", detail);
            break;
        case 2: {
            const double up = engine::binomial_upper_critical(n, p, a), down = engine::binomial_lower_critical(n, p, a);
            require(up == std::floor(up) && up >= 0 && up <= n + 1, "a whole upper count", detail);
            require(down == std::floor(down) && down >= -1 && down <= n, "a whole lower count", detail);
            if (up <= n) require(engine::binomial_tails(up, n, p).upper.log <= std::log(a), "P(X >= k) <= a", detail);
            if (down >= 0) require(engine::binomial_tails(down, n, p).lower.log <= std::log(a), "P(X <= k) <= a", detail);
            break;
        }
        default: {
            const double low = engine::binomial_lower_limit(k, n, a), high = engine::binomial_upper_limit(k, n, a);
            require(low >= 0 && low <= 1 && high >= 0 && high <= 1, "limits in [0, 1]", detail);
            if (a < 0.25) require(low <= high, "the lower limit at most the upper", detail);
        }
        }
    } catch (const engine::DomainError&) {
    } catch (const numeric::Fault& fault) {
        require(false, "no fault", std::string(fault.what()) + " at " + detail);
    }
    return 0;
}
