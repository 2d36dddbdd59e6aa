// The law of the sample correlation from any doubles: each routine gives a
// value, a Fault or a DomainError; never NaN, never a tail outside [0, 1],
// never two tails that miss 1 by more than 1e-15 where both exceed 1e-15;
// quantiles in [-1, 1], rho in [-1, 1].
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/correlation_density.h"
#include "engine/correlation_quantile.h"
#include "engine/correlation_rho.h"
#include "engine/correlation_tails.h"
#include "engine/domain.h"
#include "engine/numeric/fault.h"
#include "fuzz_checks.h"

namespace {

// A raw double (refusals and extremes included) or one spread over the range
// its argument takes: pairs 3..10^9, r and rho in (-1, 1) up to 1e-16 of
// the ends, a level from 1e-300 to 1 - 1e-16.
double number(std::uint8_t how, const std::uint8_t* bytes, int role)
{
    if (how & 1) return double_at(bytes);
    const std::uint64_t bits = bits_at(bytes);
    const double u = double(bits >> 11) / 9007199254740992.0;
    const double sign = bits & 1 ? -1 : 1;
    switch (role) {
    case 0: return std::floor(3 * std::pow(10.0, 9 * u * u));                                 // pairs
    case 1: return u < 0.5 ? sign * 2 * u : sign * (1 - std::pow(10.0, -16 * (u - 0.5) * 2));  // r, rho
    default: return u < 0.5 ? std::pow(10.0, -300 * u * 2) : 1 - std::pow(10.0, -16 * (1 - u) * 2);  // a level
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 26) return 0;
    const int what = data[0] % 5;
    // r (or a level), the pairs, rho (or a tail).
    const int roles[] = {what == 2 || what == 3 ? 2 : 1, 0, what == 4 ? 2 : 1};
    double v[3];
    for (int i = 0; i < 3; ++i) v[i] = number(data[1] >> i, data + 2 + 8 * i, roles[i]);
    char detail[160];
    std::snprintf(detail, sizeof detail, "what %d: %.17g %.17g %.17g", what, v[0], v[1], v[2]);
    try {
        switch (what) {
        case 0: {
            const engine::Tails t = engine::correlation_tails(v[0], v[1], v[2]);
            for (const engine::Probability& p : {t.lower, t.upper}) {
                require(!std::isnan(p.value) && !std::isnan(p.log), "no NaN", detail);
                require(p.value >= 0 && p.value <= 1 && p.log <= 0, "a tail in [0, 1]", detail);
            }
            if (t.lower.value > 1e-15 && t.upper.value > 1e-15)
                require(std::fabs(t.lower.value + t.upper.value - 1) <= 1e-15, "the tails sum to 1", detail);
            break;
        }
        case 1:
            require(!std::isnan(engine::correlation_log_density(v[0], v[1], v[2])), "a density, not NaN", detail);
            break;
        case 2:
        case 3: {
            const double r = what == 2 ? engine::correlation_upper_quantile(v[0], v[1], v[2])
                                       : engine::correlation_lower_quantile(v[0], v[1], v[2]);
            require(r >= -1 && r <= 1, "a quantile in [-1, 1]", detail);
            break;
        }
        default: {
            const engine::Noncentrality rho = engine::correlation_rho(v[0], v[1], v[2]);
            require(rho.value >= -1 && rho.value <= 1 && (std::fabs(rho.value) < 1 || rho.bound), "a rho in the domain",
                    detail);
        }
        }
    } catch (const engine::DomainError&) {
    } catch (const numeric::Fault& fault) {
        // Only a value beyond a double: an infinite density at the ends below 4 pairs.
        require(fault.kind() == numeric::FaultKind::Overflow, "only a value beyond a double is a fault",
                std::string(fault.what()) + " at " + detail);
    }
    return 0;
}
